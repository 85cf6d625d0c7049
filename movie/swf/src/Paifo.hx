// SPDX-License-Identifier: GPL-3.0-or-later
import flash.Lib;
import flash.display.GradientType;
import flash.display.Shape;
import flash.display.Sprite;
import flash.events.Event;
import flash.events.MouseEvent;
import flash.geom.Matrix;

/** Drawing a stick: a click shakes the holder, one numbered stick falls out, its verse is read. **/
class Paifo {
	// Number, grade, the four lines of the verse, and its explanation.
	static var VERSES:Array<Array<String>> = [
		["第三签", "上上签", "春风一夜到柴门\n枯木逢时又发新\n莫道前程多阻隔\n青山尽处见行人", "时来运转，所谋渐顺。守住本心，自有贵人相助。"],
		["第七签", "上签", "明月当空照水清\n扁舟一叶任风行\n心中若有千钧事\n且待潮平两岸明", "事缓则圆，不必急于一时；静待时机，自然水到渠成。"],
		["第十二签", "中签", "山路弯弯石径斜\n半途稍歇看桃花\n行人莫怨归期晚\n一步一程总到家", "眼下虽有波折，脚踏实地，终能达成心愿。"],
		["第十八签", "上签", "一粒春种落田中\n耕耘不辍待秋风\n今朝汗水今朝洒\n他日仓廪自丰隆", "勤则有成。今日多付出一分，来日多收获一分。"],
		["第二十一签", "中签", "云遮月影暂朦胧\n莫把浮云作晚风\n守得心灯长不灭\n清光依旧满帘栊", "一时看不分明，并非不好；保持耐心与善意，转机自来。"],
		["第二十六签", "上上签", "喜鹊登枝报好音\n门前流水绕成金\n家和自有千般顺\n福在人间善在心", "家宅平安，诸事和顺；心存善念，福气绵长。"],
		["第三十签", "中平签", "逆水行舟进步难\n风帆未满莫扬帆\n且将旧网重修补\n明日江头好放船", "宜先整顿准备，不宜冒进；准备周全，再行不迟。"],
		["第三十三签", "上签", "千里鸿书寄远方\n故人相忆未相忘\n一声问候传情谊\n胜过金银满屋藏", "人缘和合，宜多联络亲友；所求之事，得人相助可成。"]
	];

	static var root:Sprite;
	static var holder:Sprite;
	static var stick:Sprite;
	static var stickLabel:GlyphText;
	static var intro:Sprite;
	static var result:Sprite;
	static var busy = false;
	static var last = -1;
	static var shakeStart = -1.0;

	static inline var HX = 190.0; // the holder's foot
	static inline var HY = 372.0;

	static function main() {
		Kit.showAll();
		Kit.paper(Lib.current);
		root = new Sprite();
		Lib.current.addChild(root);
		Kit.title(root, "拜佛求签", 24, 26);
		Kit.seal(root, "诚心", 600, 22, 40);
		altar();

		stick = new Sprite();
		root.addChild(stick);
		holder = makeHolder();
		holder.x = HX;
		holder.y = HY;
		holder.buttonMode = true;
		holder.useHandCursor = true;
		holder.addEventListener(MouseEvent.CLICK, _ -> draw());
		root.addChild(holder);

		Kit.panel(root, 356, 70, 292, 376);
		intro = new Sprite();
		var h = new GlyphText("诚心求签", 30, Kit.VERMILION, 0, 0, 1.5, 0.08);
		intro.addChild(h);
		var b = new GlyphText("净手静心，默念自己的姓名与所求之事。\n\n想好了，便轻点左边的签筒，摇出一支签来。", 18.5, Kit.INK, 252, 0, 1.7);
		b.y = 60;
		intro.addChild(b);
		rule(intro);
		intro.x = 376;
		intro.y = 86;
		root.addChild(intro);
		Kit.button(intro, "摇签", 126, 300, draw);

		var note = new GlyphText("签诗为娱乐之作，请勿迷信", 12, Kit.INK_SOFT);
		note.x = 500;
		note.y = 452;
		note.alpha = 0.75;
		root.addChild(note);

		var hint = new GlyphText("点击签筒", 15, Kit.INK_SOFT, 0, 1);
		hint.x = HX;
		hint.y = 432;
		root.addChild(hint);
		Lib.current.addEventListener(Event.ENTER_FRAME, _ -> {
			hint.alpha = busy ? 0 : 0.55 + 0.45 * Math.sin(Tween.now() * 3);
			shake();
		});
	}

	static function rule(s:Sprite) {
		var g = s.graphics;
		g.lineStyle(1, Kit.GOLD, 0.8);
		g.moveTo(0, 46);
		g.lineTo(250, 46);
	}

	/** The altar table the holder stands on, with two candles. **/
	static function altar() {
		var s = new Shape();
		var g = s.graphics;
		g.beginFill(0x6B2A1E);
		g.drawRect(36, 380, 310, 16);
		g.endFill();
		g.beginFill(0x8A3A26);
		g.drawRect(30, 372, 322, 10);
		g.endFill();
		g.lineStyle(1, Kit.GOLD, 0.9);
		g.moveTo(30, 377);
		g.lineTo(352, 377);
		g.lineStyle();
		g.beginFill(0x5A2318);
		g.drawRect(50, 396, 14, 50);
		g.drawRect(318, 396, 14, 50);
		g.endFill();
		for (cx in [70.0, 310.0]) {
			g.beginFill(0xD9C7A0);
			g.drawRect(cx - 6, 322, 12, 50);
			g.endFill();
			g.beginFill(Kit.VERMILION);
			g.drawRect(cx - 7, 356, 14, 16);
			g.endFill();
			g.beginFill(0xF2B54A, 0.9);
			g.moveTo(cx, 298);
			g.curveTo(cx + 8, 312, cx, 320);
			g.curveTo(cx - 8, 312, cx, 298);
			g.endFill();
			g.beginFill(0xFFF0B0, 0.9);
			g.drawEllipse(cx - 2, 308, 4, 9);
			g.endFill();
		}
		root.addChild(s);
	}

	static function makeHolder():Sprite {
		var s = new Sprite();
		var g = s.graphics;
		// The dark mouth, then the sticks, fanned a little, then the body over their feet.
		g.beginFill(0x3A0E0A);
		g.drawEllipse(-50, -150, 100, 20);
		g.endFill();
		var tips = [-34, -25, -16, -8, 0, 8, 16, 25, 34];
		for (i in 0...tips.length) {
			var x = tips[i];
			var top = -228 + Math.abs(x) * 0.9 + (i % 3) * 8;
			g.beginFill(0xD8B26A);
			g.lineStyle(1, 0x9A7A40);
			g.moveTo(x * 0.55 - 4, -60);
			g.lineTo(x - 4, top);
			g.lineTo(x + 4, top);
			g.lineTo(x * 0.55 + 4, -60);
			g.endFill();
			g.lineStyle();
			g.beginFill(Kit.VERMILION);
			g.drawRect(x - 4, top, 8, 14);
			g.endFill();
		}
		// The lacquered body.
		var m = new Matrix();
		m.createGradientBox(110, 150, 0, -55, -150);
		g.beginGradientFill(GradientType.LINEAR, [0x6E1E16, 0xC0432F, 0x8E2A1E, 0x5A1711], [1, 1, 1, 1], [0, 90, 170, 255], m);
		g.moveTo(-50, -140);
		g.lineTo(-55, -6);
		g.curveTo(0, 10, 55, -6);
		g.lineTo(50, -140);
		g.curveTo(0, -128, -50, -140);
		g.endFill();
		g.lineStyle(4, Kit.GOLD);
		g.moveTo(-50, -140);
		g.curveTo(0, -126, 50, -140);
		g.moveTo(-54, -22);
		g.curveTo(0, -8, 54, -22);
		g.lineStyle(1.5, Kit.GOLD, 0.9);
		g.moveTo(-52, -118);
		g.curveTo(0, -105, 52, -118);
		g.lineStyle();
		g.beginFill(Kit.GOLD);
		g.drawCircle(0, -70, 26);
		g.endFill();
		g.beginFill(0x8E2A1E);
		g.drawCircle(0, -70, 22);
		g.endFill();
		var ch = new GlyphText("签", 28, 0xF0D48A, 0, 1);
		ch.y = -70 - 28 * 0.56;
		s.addChild(ch);
		return s;
	}

	static function draw() {
		if (busy)
			return;
		busy = true;
		Tween.to(intro, 0.4, {alpha: 0});
		if (result != null) {
			var old = result;
			Tween.to(old, 0.4, {alpha: 0}, 0, null, () -> root.removeChild(old));
			result = null;
		}
		Tween.to(stick, 0.3, {alpha: 0});
		shakeStart = Tween.now();
		var pick = Kit.shuffleIndex(VERSES.length);
		if (pick == last)
			pick = (pick + 1 + Kit.shuffleIndex(VERSES.length - 1)) % VERSES.length;
		last = pick;
		Tween.delay(1.9, () -> dropStick(pick));
	}

	/** Rocks the holder back and forth, faster and wider in the middle of the shake. **/
	static function shake() {
		if (shakeStart < 0)
			return;
		var t = Tween.now() - shakeStart;
		if (t > 1.8) {
			holder.rotation = 0;
			holder.y = HY;
			shakeStart = -1;
			return;
		}
		var env = Math.sin(Math.PI * t / 1.8);
		holder.rotation = Math.sin(t * 26) * 9 * env;
		holder.y = HY - Math.abs(Math.sin(t * 26)) * 5 * env;
	}

	static function dropStick(pick:Int) {
		var v = VERSES[pick];
		while (stick.numChildren > 0)
			stick.removeChildAt(0);
		var g = stick.graphics;
		g.clear();
		g.beginFill(0xE2BE78);
		g.lineStyle(1, 0x9A7A40);
		g.drawRect(-6, -95, 12, 190);
		g.endFill();
		g.lineStyle();
		g.beginFill(Kit.VERMILION);
		g.drawRect(-6, -95, 12, 18);
		g.endFill();
		var chars = [for (i in 0...v[0].length) v[0].charAt(i)].join("\n");
		stickLabel = new GlyphText(chars, 9.5, Kit.INK, 0, 1, 1.05);
		stickLabel.y = -70;
		stick.addChild(stickLabel);
		stick.alpha = 1;
		stick.x = HX + 4;
		stick.y = HY - 190;
		stick.rotation = 0;
		stick.scaleX = stick.scaleY = 0.8;
		root.setChildIndex(stick, root.numChildren - 1);
		// Up out of the holder, over its lip, and down onto the table in front.
		Tween.to(stick, 0.45, {y: HY - 260, rotation: 12}, 0, Tween.easeOut);
		Tween.to(stick, 0.7, {x: HX + 74, rotation: 70, scaleX: 0.85, scaleY: 0.85}, 0.45, Tween.easeIn);
		Tween.to(stick, 0.7, {y: HY + 4}, 0.45, Tween.easeIn, () -> {
			Tween.to(stick, 0.3, {rotation: 84, y: HY - 2}, 0, Tween.backOut);
			showVerse(v);
		});
	}

	static function showVerse(v:Array<String>) {
		var s = new Sprite();
		var h = new GlyphText(v[0], 30, Kit.VERMILION, 0, 0, 1.5, 0.08);
		s.addChild(h);
		var grade = new GlyphText(v[1], 15, Kit.PAPER, 0, 1);
		var badge = new Sprite();
		badge.graphics.beginFill(Kit.VERMILION);
		badge.graphics.drawRoundRect(-grade.textWidth / 2 - 8, -3, grade.textWidth + 16, 24, 8, 8);
		badge.graphics.endFill();
		badge.addChild(grade);
		badge.x = 226;
		badge.y = 10;
		s.addChild(badge);
		rule(s);
		var poem = new GlyphText(v[2], 23, Kit.INK, 252, 1, 1.55, 0.12);
		poem.y = 62;
		s.addChild(poem);
		var g = s.graphics;
		g.lineStyle(1, Kit.GOLD, 0.6);
		g.moveTo(40, 212);
		g.lineTo(210, 212);
		var ex = new GlyphText("解曰：" + v[3], 16, Kit.INK_SOFT, 252, 0, 1.6);
		ex.y = 224;
		s.addChild(ex);
		s.x = 376;
		s.y = 96;
		s.alpha = 0;
		root.addChild(s);
		Kit.button(s, "再求一签", 126, 318, draw, 124, 36);
		result = s;
		Tween.to(s, 0.7, {alpha: 1, y: 86}, 0.1, Tween.easeOut, () -> busy = false);
	}
}
