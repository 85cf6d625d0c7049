// SPDX-License-Identifier: GPL-3.0-or-later
import flash.Lib;
import flash.display.GradientType;
import flash.display.Graphics;
import flash.display.Shape;
import flash.display.Sprite;
import flash.events.Event;
import flash.events.MouseEvent;
import flash.geom.Matrix;

/** A drawn eye with its brow, from a few shape numbers; it can blink. **/
class Eye extends Sprite {
	var ball:Sprite = new Sprite();
	var lids:Shape = new Shape();
	var w:Float;
	var top:Float;
	var bot:Float;
	var tilt:Float;
	var peak:Float;
	var lowPeak:Float;

	public var blink(default, set):Float = 0; // 0 open, 1 shut

	/**
		@param w      half the width
		@param top    how high the upper lid arches
		@param bot    how low the lower lid dips
		@param tilt   the outer corner's drop (negative lifts it)
		@param peak   where the upper arch is highest, 0–1 from the inner corner
		@param lowPeak where the lower lid is lowest, 0–1
	**/
	public function new(w:Float, top:Float, bot:Float, tilt:Float, peak:Float, lowPeak:Float) {
		super();
		this.w = w;
		this.top = top;
		this.bot = bot;
		this.tilt = tilt;
		this.peak = peak;
		this.lowPeak = lowPeak;
		var mask = new Shape();
		shape(mask.graphics, 0xFFFFFF, 1);
		addChild(ball);
		addChild(mask);
		ball.mask = mask;
		var g = ball.graphics;
		shape(g, 0xFBF7EE, 1);
		var r = 17.0;
		var cy = (bot - top) * 0.25 + tilt * 0.35;
		var m = new Matrix();
		m.createGradientBox(r * 2, r * 2, 0, -r, cy - r);
		g.beginGradientFill(GradientType.RADIAL, [0x2A1A10, 0x5A3A22, 0x3A2414], [1, 1, 1], [40, 170, 255], m);
		g.drawCircle(0, cy, r);
		g.endFill();
		g.beginFill(0x120A06);
		g.drawCircle(0, cy, r * 0.45);
		g.endFill();
		g.beginFill(0xFFFFFF, 0.9);
		g.drawCircle(-r * 0.35, cy - r * 0.4, r * 0.22);
		g.endFill();
		addChild(lids);
		drawLids(0);
	}

	function set_blink(v:Float):Float {
		blink = v;
		drawLids(v);
		return v;
	}

	inline function bump(s:Float, p:Float):Float {
		var a = Math.log(0.5) / Math.log(p);
		return Math.pow(Math.sin(Math.PI * Math.pow(s, a)), 0.85);
	}

	inline function base(s:Float):Float {
		return tilt * s;
	}

	function shape(g:Graphics, color:Int, alpha:Float) {
		g.beginFill(color, alpha);
		g.moveTo(-w, 0);
		for (i in 1...25) {
			var s = i / 24;
			g.lineTo(-w + 2 * w * s, base(s) - top * bump(s, peak));
		}
		for (i in 1...25) {
			var s = 1 - i / 24;
			g.lineTo(-w + 2 * w * s, base(s) + bot * bump(s, lowPeak));
		}
		g.endFill();
	}

	function drawLids(shut:Float) {
		var g = lids.graphics;
		g.clear();
		// The closing lid: skin drawn down over the eye.
		if (shut > 0) {
			g.beginFill(Kit.SKIN);
			g.moveTo(-w, 0);
			for (i in 1...25) {
				var s = i / 24;
				g.lineTo(-w + 2 * w * s, base(s) - top * bump(s, peak));
			}
			for (i in 1...25) {
				var s = 1 - i / 24;
				var up = base(s) - top * bump(s, peak);
				var low = base(s) + bot * bump(s, lowPeak);
				g.lineTo(-w + 2 * w * s, up + (low - up) * shut);
			}
			g.endFill();
		}
		// Upper lid line, heavier in the middle.
		var prevX = -w, prevY = 0.0;
		for (i in 1...25) {
			var s = i / 24;
			var up = base(s) - top * bump(s, peak);
			var low = base(s) + bot * bump(s, lowPeak);
			var y = up + (low - up) * shut;
			var x = -w + 2 * w * s;
			g.lineStyle(1.5 + 2.6 * Math.sin(Math.PI * Math.min(1, s * 1.1)), Kit.INK, 1, false, flash.display.LineScaleMode.NORMAL,
				flash.display.CapsStyle.ROUND);
			g.moveTo(prevX, prevY);
			g.lineTo(x, y);
			prevX = x;
			prevY = y;
		}
		// Lower lid, light.
		g.lineStyle(1.2, Kit.INK_SOFT, 0.7);
		g.moveTo(-w * 0.92, base(0.04) + bot * bump(0.04, lowPeak));
		for (i in 2...24) {
			var s = i / 24;
			g.lineTo(-w + 2 * w * s, base(s) + bot * bump(s, lowPeak));
		}
		// The crease above the lid, and the brow.
		g.lineStyle(1.2, Kit.INK_SOFT, 0.55);
		for (i in 4...23) {
			var s = i / 24;
			var x = -w + 2 * w * s, y = base(s) - top * bump(s, peak) - 9 - 2 * Math.sin(Math.PI * s);
			if (i == 4)
				g.moveTo(x, y);
			else
				g.lineTo(x, y);
		}
		g.lineStyle();
		g.beginFill(0x3A2E26, 0.85);
		var by = -top - 26;
		g.moveTo(-w * 0.95, by + 8);
		g.curveTo(-w * 0.2, by - 10, w * 1.05, by + 6 + tilt * 0.7);
		g.curveTo(-w * 0.2, by - 2, -w * 0.95, by + 8);
		g.endFill();
	}
}

/** Eye-shape reading: pick the eye most like yours and read what it is said to show. **/
class Yanxing {
	// Name, shape numbers for Eye, reading, a short word of advice.
	static var EYES:Array<Array<Dynamic>> = [
		["杏眼", [54.0, 24.0, 18.0, -2.0, 0.45, 0.55], "眼形如杏仁，黑白分明，神采清亮。为人真诚开朗，心地善良，重情重义，人缘极好，身边常有贵人相助。", "宜：多结善缘，好运自来。"],
		["丹凤眼", [60.0, 17.0, 10.0, -12.0, 0.38, 0.5], "眼尾微微上扬，细长而有神。心思敏锐，有主见，做事干练利落，常能在众人之中脱颖而出。", "宜：刚中带柔，事半功倍。"],
		["桃花眼", [56.0, 24.0, 13.0, 3.0, 0.55, 0.62], "眼尾略弯，似笑非笑，眼波柔和。性情温柔浪漫，亲和力强，容易得人好感，感情生活丰富多彩。", "宜：珍惜真心，专一长久。"],
		["圆眼", [44.0, 28.0, 24.0, 0.0, 0.5, 0.5], "眼形圆润明亮，神情天真。为人直率坦诚，好奇心重，喜怒形于色，乐观的性子常给身边人带来欢乐。", "宜：遇事三思，再作决定。"],
		["细长眼", [64.0, 13.0, 9.0, -1.0, 0.48, 0.5], "眼形细长平直，目光沉静。沉稳冷静，思虑周密，不轻易表露心事，一旦认定便坚持到底。", "宜：多些分享，少些独扛。"],
		["下垂眼", [54.0, 22.0, 15.0, 11.0, 0.5, 0.45], "眼尾自然下垂，神情温和无害。体贴包容，善于倾听，踏实可靠，是朋友眼中最安心的依靠。", "宜：学会拒绝，照顾自己。"]
	];

	static var root:Sprite;
	static var grid:Sprite;
	static var detail:Sprite;
	static var eyes:Array<Eye> = [];

	static function main() {
		Kit.showAll();
		Kit.paper(Lib.current);
		root = new Sprite();
		Lib.current.addChild(root);
		Kit.title(root, "眼型占卜", 24, 26);
		Kit.seal(root, "观眼", 600, 22, 40);
		var note = new GlyphText("眼型之说，仅供娱乐", 12, Kit.INK_SOFT);
		note.x = 540;
		note.y = 452;
		note.alpha = 0.75;
		root.addChild(note);

		grid = new Sprite();
		root.addChild(grid);
		var ask = new GlyphText("请选出与你最相像的眼型", 18, Kit.INK_SOFT, Kit.W, 1, 1.5, 0.1);
		ask.y = 72;
		grid.addChild(ask);
		for (i in 0...EYES.length)
			card(i);
		Lib.current.addEventListener(Event.ENTER_FRAME, _ -> blinkNow());
	}

	static function makeEye(i:Int):Eye {
		var p:Array<Float> = EYES[i][1];
		return new Eye(p[0], p[1], p[2], p[3], p[4], p[5]);
	}

	static function card(i:Int) {
		var c = new Sprite();
		var bg = new Shape();
		c.addChild(bg);
		function paint(hot:Bool) {
			var g = bg.graphics;
			g.clear();
			g.beginFill(0x000000, 0.08);
			g.drawRoundRect(-92, -74, 188, 152, 16, 16);
			g.endFill();
			g.beginFill(hot ? 0xF8F0DE : Kit.PAPER_DEEP, hot ? 1 : 0.6);
			g.lineStyle(hot ? 2 : 1, hot ? Kit.VERMILION : Kit.GOLD, 0.9);
			g.drawRoundRect(-94, -76, 188, 152, 16, 16);
			g.endFill();
		}
		paint(false);
		var e = makeEye(i);
		e.y = 2;
		e.scaleX = e.scaleY = 0.95;
		c.addChild(e);
		eyes.push(e);
		var n = new GlyphText(EYES[i][0], 19, Kit.INK, 0, 1, 1.5, 0.1);
		n.y = 42;
		c.addChild(n);
		c.x = 337 + (i % 3 - 1) * 206;
		c.y = 190 + Std.int(i / 3) * 168;
		c.buttonMode = true;
		c.useHandCursor = true;
		c.mouseChildren = false;
		c.addEventListener(MouseEvent.ROLL_OVER, _ -> {
			paint(true);
			Tween.to(c, 0.15, {scaleX: 1.04, scaleY: 1.04});
		});
		c.addEventListener(MouseEvent.ROLL_OUT, _ -> {
			paint(false);
			Tween.to(c, 0.15, {scaleX: 1, scaleY: 1});
		});
		c.addEventListener(MouseEvent.CLICK, _ -> choose(i));
		grid.addChild(c);
	}

	static var nextBlink = 2.0;

	/** Now and then one eye blinks, so the page feels alive. **/
	static function blinkNow() {
		var t = Tween.now();
		if (t < nextBlink)
			return;
		nextBlink = t + 1.5 + Math.random() * 2.5;
		var live = eyes.filter(shown);
		if (live.length == 0)
			return;
		var e = live[Kit.shuffleIndex(live.length)];
		Tween.to(e, 0.09, {blink: 1}, 0, Tween.easeIn, () -> Tween.to(e, 0.14, {blink: 0}, 0.04, Tween.easeOut));
	}

	/** On stage and not hidden or faded out anywhere up its chain. **/
	static function shown(e:Eye):Bool {
		if (e.stage == null)
			return false;
		var o:flash.display.DisplayObject = e;
		while (o != null) {
			if (!o.visible || o.alpha <= 0)
				return false;
			o = o.parent;
		}
		return true;
	}

	static function choose(i:Int) {
		grid.mouseChildren = false;
		Tween.to(grid, 0.4, {alpha: 0}, 0, null, () -> grid.visible = false);
		var d = new Sprite();
		var frame = new Shape();
		var g = frame.graphics;
		g.beginFill(Kit.PAPER_DEEP, 0.6);
		g.lineStyle(1, Kit.GOLD, 0.8);
		g.drawRoundRect(30, 70, 290, 376, 16, 16);
		g.endFill();
		d.addChild(frame);
		var e = makeEye(i);
		e.x = 175;
		e.y = 220;
		e.scaleX = e.scaleY = 1.9;
		d.addChild(e);
		eyes.push(e);
		var name = new GlyphText(EYES[i][0], 34, Kit.VERMILION, 0, 1, 1.5, 0.15);
		name.x = 175;
		name.y = 330;
		d.addChild(name);
		Kit.panel(d, 356, 70, 292, 376);
		var h = new GlyphText("眼型解读", 28, Kit.VERMILION, 0, 0, 1.5, 0.08);
		h.x = 376;
		h.y = 88;
		d.addChild(h);
		var rg = d.graphics;
		rg.lineStyle(1, Kit.GOLD, 0.8);
		rg.moveTo(376, 132);
		rg.lineTo(626, 132);
		var body = new GlyphText(EYES[i][2], 18.5, Kit.INK, 252, 0, 1.7);
		body.x = 376;
		body.y = 146;
		d.addChild(body);
		var tip = new GlyphText(EYES[i][3], 17, Kit.VERMILION, 252, 0);
		tip.x = 376;
		tip.y = body.y + body.textHeight + 28;
		d.addChild(tip);
		Kit.button(d, "重新选择", 502, 398, () -> back(d), 124, 36);
		d.alpha = 0;
		root.addChild(d);
		detail = d;
		Tween.to(d, 0.6, {alpha: 1}, 0.3, Tween.easeOut);
	}

	static function back(d:Sprite) {
		d.mouseChildren = false;
		Tween.to(d, 0.4, {alpha: 0}, 0, null, () -> {
			root.removeChild(d);
			eyes = eyes.filter(e -> e.parent != d);
		});
		grid.visible = true;
		Tween.to(grid, 0.5, {alpha: 1}, 0.2, null, () -> grid.mouseChildren = true);
	}
}
