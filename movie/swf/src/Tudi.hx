// SPDX-License-Identifier: GPL-3.0-or-later
import flash.Lib;
import flash.display.GradientType;
import flash.display.Graphics;
import flash.display.Shape;
import flash.display.Sprite;
import flash.events.Event;
import flash.geom.Matrix;

/** One moon block: a flat face and a round face; it tumbles in flight by squashing and flipping. **/
class MoonBlock extends Sprite {
	public var shadow:Shape = new Shape();

	var flat:Shape = new Shape();
	var round:Shape = new Shape();

	public var spin(default, set):Float = 0; // half-turns; even = flat face up

	public function new() {
		super();
		paint(flat.graphics, true);
		paint(round.graphics, false);
		addChild(flat);
		addChild(round);
		shadow.graphics.beginFill(0x3A2010, 0.25);
		shadow.graphics.drawEllipse(-46, -8, 92, 16);
		shadow.graphics.endFill();
		spin = 0;
	}

	function set_spin(v:Float):Float {
		spin = v;
		var c = Math.cos(v * Math.PI);
		var sy = Math.max(0.06, Math.abs(c));
		flat.scaleY = round.scaleY = sy;
		flat.visible = c >= 0;
		round.visible = c < 0;
		return v;
	}

	public function faceUpFlat():Bool {
		return Math.cos(spin * Math.PI) >= 0;
	}

	/** A crescent about 96 by 46 pixels, horn tips at the top. **/
	static function outline(g:Graphics) {
		g.moveTo(-48, -10);
		g.curveTo(0, 6, 48, -10);
		g.curveTo(46, 16, 22, 26);
		g.curveTo(0, 36, -22, 26);
		g.curveTo(-46, 16, -48, -10);
	}

	static function paint(g:Graphics, flatFace:Bool) {
		var m = new Matrix();
		m.createGradientBox(110, 60, Math.PI / 2, -55, -24);
		if (flatFace) {
			// The flat face: pale wood with a lacquered rim and a grain or two.
			g.beginFill(0x8E2A1E);
			outline(g);
			g.endFill();
			g.beginFill(0xD9A86A);
			g.moveTo(-40, -6);
			g.curveTo(0, 8, 40, -6);
			g.curveTo(38, 14, 19, 21);
			g.curveTo(0, 29, -19, 21);
			g.curveTo(-38, 14, -40, -6);
			g.endFill();
			g.lineStyle(1, 0xA8763A, 0.7);
			g.moveTo(-30, 4);
			g.curveTo(0, 14, 30, 4);
			g.moveTo(-20, 14);
			g.curveTo(0, 21, 20, 14);
		} else {
			// The round face: red lacquer with a sheen along its belly.
			g.beginGradientFill(GradientType.LINEAR, [0xD2523C, 0xA8321F, 0x6E1B12], [1, 1, 1], [0, 120, 255], m);
			outline(g);
			g.endFill();
			g.beginFill(0xFFFFFF, 0.28);
			g.moveTo(-34, 2);
			g.curveTo(0, 18, 34, 2);
			g.curveTo(0, 12, -34, 2);
			g.endFill();
		}
	}
}

/** Asking the earth god: a click throws two moon blocks, and how they land is the answer. **/
class Tudi {
	static var OUTCOMES = [
		["圣杯", "一平一凸，神明应允", "所问之事可行。放心去做，顺其自然，自有好的结果；只是莫忘了当初许下的心愿与努力。"],
		["笑杯", "两面皆平，神明一笑", "事情尚未明朗，或是问得不够清楚。不妨把心中所想理一理，换个问法，再掷一次。"],
		["阴杯", "两面皆凸，神明不允", "此时不宜强求。暂且放下，另择时机，或另寻他路；退一步，往往海阔天空。"]
	];

	static inline var FLOOR = 352.0;

	static var root:Sprite;
	static var blocks:Array<MoonBlock> = [];
	static var intro:Sprite;
	static var result:Sprite;
	static var busy = false;

	static function main() {
		Kit.showAll();
		Kit.paper(Lib.current);
		root = new Sprite();
		Lib.current.addChild(root);
		Kit.title(root, "土地圣杯", 24, 26);
		Kit.seal(root, "问神", 600, 22, 40);
		shrine();
		for (i in 0...2) {
			var b = new MoonBlock();
			b.x = i == 0 ? 135 : 245;
			b.y = FLOOR;
			b.spin = i; // one of each at rest
			b.shadow.x = b.x;
			b.shadow.y = FLOOR + 22;
			root.addChild(b.shadow);
			blocks.push(b);
		}
		for (b in blocks)
			root.addChild(b);

		Kit.panel(root, 356, 70, 292, 376);
		intro = new Sprite();
		intro.addChild(new GlyphText("掷杯问事", 30, Kit.VERMILION, 0, 0, 1.5, 0.08));
		var body = new GlyphText("双手合起两片杯筊，心中默念所问之事，一事一问。\n\n一平一凸为圣杯，两平为笑杯，两凸为阴杯。", 18.5,
			Kit.INK, 252, 0, 1.7);
		body.y = 60;
		intro.addChild(body);
		rule(intro);
		intro.x = 376;
		intro.y = 86;
		root.addChild(intro);
		Kit.button(intro, "掷杯", 126, 300, toss);

		var note = new GlyphText("杯筊问事，仅供娱乐", 12, Kit.INK_SOFT);
		note.x = 540;
		note.y = 452;
		note.alpha = 0.75;
		root.addChild(note);
		Lib.current.stage.addEventListener(flash.events.MouseEvent.CLICK, e -> {
			if (e.stageX < 350 && e.stageY > 60)
				toss();
		});
	}

	static function rule(s:Sprite) {
		var g = s.graphics;
		g.lineStyle(1, Kit.GOLD, 0.8);
		g.moveTo(0, 46);
		g.lineTo(250, 46);
	}

	/** A small roadside shrine behind the floor where the blocks land. **/
	static function shrine() {
		var s = new Shape();
		var g = s.graphics;
		// Floor: a wide stone slab in perspective.
		g.beginFill(0xCDB58C);
		g.moveTo(34, 330);
		g.lineTo(346, 330);
		g.lineTo(346, 440);
		g.lineTo(34, 440);
		g.endFill();
		g.lineStyle(1, 0xA88E62, 0.6);
		for (y in [352, 380, 412]) {
			g.moveTo(34, y);
			g.lineTo(346, y);
		}
		g.lineStyle();
		// The shrine: roof, red walls, a tablet within.
		g.beginFill(0x8E2A1E);
		g.drawRect(110, 150, 160, 150);
		g.endFill();
		g.beginFill(0x3A1A12);
		g.drawRect(130, 176, 120, 124);
		g.endFill();
		g.beginFill(0xE9D9A8);
		g.drawRect(166, 182, 48, 90);
		g.endFill();
		g.lineStyle(1.5, Kit.GOLD);
		g.drawRect(170, 186, 40, 82);
		g.lineStyle();
		g.beginFill(0x4A4038);
		g.moveTo(86, 152);
		g.curveTo(190, 140, 294, 152);
		g.lineTo(268, 112);
		g.curveTo(190, 104, 112, 112);
		g.endFill();
		g.beginFill(Kit.GOLD);
		g.drawRect(98, 150, 184, 5);
		g.endFill();
		g.beginFill(0x6B5A48);
		g.drawRect(98, 300, 184, 30);
		g.endFill();
		// Incense burner and three sticks.
		g.beginFill(0x7A5A30);
		g.drawRoundRect(166, 296, 48, 22, 8, 8);
		g.endFill();
		g.lineStyle(2, 0x8A3A26);
		for (dx in [-8, 0, 8]) {
			g.moveTo(190 + dx, 298);
			g.lineTo(190 + dx * 1.6, 276);
		}
		g.lineStyle();
		root.addChild(s);
		var v = new GlyphText("福\n德\n正\n神", 15, Kit.INK, 0, 1, 1.2);
		v.x = 190;
		v.y = 192;
		root.addChild(v);
	}

	static function toss() {
		if (busy)
			return;
		busy = true;
		Tween.to(intro, 0.4, {alpha: 0});
		if (result != null) {
			var old = result;
			Tween.to(old, 0.4, {alpha: 0}, 0, null, () -> root.removeChild(old));
			result = null;
		}
		var flats = 0;
		for (i in 0...2) {
			var b = blocks[i];
			var flatUp = Math.random() < 0.5;
			if (flatUp)
				flats++;
			// Whole half-turns: even lands flat face up, odd round face up.
			var startSpin = Math.round(b.spin);
			var turns = 6 + Std.int(Math.random() * 3) * 2 + (((startSpin % 2) == 0) == flatUp ? 0 : 1);
			var endX = 90 + i * 120 + Math.random() * 70;
			var endY = FLOOR + Math.random() * 40 - 8;
			var up = 170 + Math.random() * 40;
			var delay = i * 0.08;
			var fly = {h: 0.0, k: 0.0};
			var x0 = b.x, y0 = b.y;
			var rot0 = b.rotation, rot1 = Math.random() * 50 - 25;
			Tween.to(fly, 1.3, {k: 1}, delay, Tween.linear);
			var tick:Event->Void = null;
			tick = _ -> {
				var k = fly.k;
				b.x = x0 + (endX - x0) * k;
				b.y = y0 + (endY - y0) * k - up * 4 * k * (1 - k);
				b.spin = startSpin + (turns) * Tween.easeOut(k);
				b.rotation = rot0 + (rot1 - rot0) * k;
				b.shadow.x = b.x;
				b.shadow.y = y0 + (endY - y0) * k + 22;
				b.shadow.scaleX = b.shadow.scaleY = 1 - 0.5 * (4 * k * (1 - k));
				if (k >= 1) {
					b.removeEventListener(Event.ENTER_FRAME, tick);
					b.spin = startSpin + turns;
					Tween.to(b, 0.18, {y: endY - 8}, 0, Tween.easeOut, () -> Tween.to(b, 0.2, {y: endY}, 0, Tween.easeIn));
				}
			};
			b.addEventListener(Event.ENTER_FRAME, tick);
		}
		var outcome = flats == 1 ? 0 : (flats == 2 ? 1 : 2);
		Tween.delay(1.9, () -> show(outcome));
	}

	static function show(outcome:Int) {
		var o = OUTCOMES[outcome];
		var s = new Sprite();
		var big = new GlyphText(o[0], 52, Kit.VERMILION, 252, 1, 1.5, 0.2);
		s.addChild(big);
		var sub = new GlyphText(o[1], 17, Kit.INK_SOFT, 252, 1);
		sub.y = 70;
		s.addChild(sub);
		var g = s.graphics;
		g.lineStyle(1, Kit.GOLD, 0.8);
		g.moveTo(20, 104);
		g.lineTo(232, 104);
		var body = new GlyphText(o[2], 18.5, Kit.INK, 252, 0, 1.7);
		body.y = 118;
		s.addChild(body);
		Kit.button(s, "再掷一次", 126, 300, toss, 124, 36);
		s.x = 376;
		s.y = 96;
		s.alpha = 0;
		root.addChild(s);
		result = s;
		Tween.to(s, 0.7, {alpha: 1, y: 86}, 0, Tween.easeOut, () -> busy = false);
	}
}
