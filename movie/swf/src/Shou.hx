// SPDX-License-Identifier: GPL-3.0-or-later
import flash.Lib;
import flash.display.Graphics;
import flash.display.Shape;
import flash.display.Sprite;
import flash.events.Event;

/**
	Palm reading: the palm is traced, then its four main lines one by one with
	their names and meanings, then a closing word. The story is a pure function
	of the time since the loop began, so it never drifts and loops cleanly.
**/
class Shou {
	static inline var LOOP = 46.0;
	static inline var LINE_START = 9.0; // the first main line
	static inline var LINE_SPAN = 7.0; // seconds given to each line
	static inline var OUTRO = LINE_START + 4 * LINE_SPAN; // 37 s

	static var HAND:Array<Array<Float>> = [
		[118, 468], [112, 430], [100, 392], [84, 352], [68, 312], [56, 276], [54, 250], [62, 236], [76, 236], [90, 252], [104, 280],
		[120, 304], [136, 312], [146, 290], [146, 250], [144, 200], [143, 150], [146, 128], [158, 116], [172, 118], [180, 132],
		[182, 180], [186, 232], [192, 180], [193, 120], [196, 92], [208, 78], [222, 79], [232, 92], [234, 130], [236, 232], [241, 180],
		[243, 125], [247, 106], [258, 96], [270, 98], [278, 112], [280, 170], [281, 240], [287, 200], [291, 168], [298, 154], [308, 150],
		[317, 158], [321, 176], [320, 220], [320, 262], [322, 300], [319, 350], [308, 400], [298, 435], [296, 468]
	];

	// Short creases across the fingers and the thumb: [x0, y0, control x, control y, x1, y1].
	static var CREASES:Array<Array<Float>> = [
		[148, 206, 164, 210, 181, 204], [146, 160, 162, 164, 180, 158], [194, 178, 213, 183, 233, 177], [195, 130, 213, 135, 232, 129],
		[243, 190, 261, 195, 279, 189], [245, 142, 261, 146, 278, 140], [289, 214, 304, 218, 319, 212], [293, 182, 306, 185, 320, 180],
		[66, 290, 80, 282, 96, 268]
	];

	static var LINES:Array<Array<Array<Float>>> = [
		[[141, 297], [151, 322], [160, 350], [166, 385], [164, 415], [157, 440]], // life
		[[142, 300], [170, 307], [205, 317], [240, 331], [270, 348], [290, 365]], // head
		[[320, 272], [298, 268], [272, 266], [246, 262], [222, 254], [199, 243]], // heart
		[[226, 440], [227, 410], [226, 370], [224, 320], [221, 270]] // fate
	];

	static var NAMES = ["生命线", "智慧线", "感情线", "事业线"];
	static var NUMBERS = ["一", "二", "三", "四"];
	static var LABEL_AT:Array<Array<Float>> = [[96, 402], [262, 372], [262, 278], [232, 432]];

	static var MEANINGS = [
		"绕拇指根部弯弯而下，看的是精力与体魄。线纹深长清晰，主身强体健、元气充足；若中途有断续，是提醒你顾惜身体，起居有常。",
		"横过掌心，看的是思虑与才智。走势平直的人务实果断；微微下垂的人心思细腻，富于想象。线长而清，遇事能谋定而后动。",
		"位于四指根下，看的是性情与感情。末端弯而上扬，热情坦率；平直而长，含蓄稳重。纹路清楚少杂，待人真诚长久。",
		"自掌根向中指直上，看的是志向与际遇。此线清晰挺直，做事有恒，循序渐进；若浅淡难寻也不必忧，路终究是自己走出来的。"
	];

	static var root:Sprite;
	static var skin:Shape;
	static var outline:Shape;
	static var creases:Shape;
	static var lineShapes:Array<Shape> = [];
	static var tip:Shape;
	static var cuff:Shape;
	static var labels:Array<GlyphText> = [];
	static var captions:Array<Sprite> = [];
	static var tags:Array<Array<GlyphText>> = [];
	static var handPts:Array<Array<Float>>;
	static var linePts:Array<Array<Array<Float>>> = [];
	static var t0:Float;

	static function main() {
		Kit.showAll();
		var stage = Lib.current;
		Kit.paper(stage);
		root = new Sprite();
		stage.addChild(root);
		Kit.title(root, "手相占卜", 24, 26);

		var hand = new Sprite();
		hand.x = 14;
		hand.y = 2;
		hand.scaleX = hand.scaleY = 0.94;
		root.addChild(hand);
		skin = new Shape();
		creases = new Shape();
		outline = new Shape();
		hand.addChild(skin);
		hand.addChild(creases);
		hand.addChild(outline);
		handPts = spline(HAND, 10);
		var sg = skin.graphics;
		sg.beginFill(Kit.SKIN, 0.85);
		sg.moveTo(handPts[0][0], handPts[0][1]);
		for (p in handPts)
			sg.lineTo(p[0], p[1]);
		sg.endFill();
		for (i in 0...4) {
			linePts.push(spline(LINES[i], 12));
			var s = new Shape();
			lineShapes.push(s);
			hand.addChild(s);
			var l = new GlyphText(NAMES[i], 14, Kit.VERMILION);
			l.x = LABEL_AT[i][0];
			l.y = LABEL_AT[i][1];
			labels.push(l);
			hand.addChild(l);
		}
		cuff = new Shape();
		drawCuff(cuff.graphics);
		hand.addChild(cuff);
		tip = new Shape();
		tip.graphics.beginFill(Kit.VERMILION);
		tip.graphics.drawCircle(0, 0, 4);
		tip.graphics.endFill();
		hand.addChild(tip);

		Kit.panel(root, 356, 70, 292, 376);
		captions.push(caption("先看手掌", "",
			"男看左手，女看右手。把手掌摊开，掌心向上，手指自然舒展，在明亮处细看。掌中纹路千条，最要紧的是四条主线。"));
		for (i in 0...4)
			captions.push(caption(NAMES[i], NUMBERS[i], MEANINGS[i]));
		captions.push(caption("自看掌纹", "",
			"掌纹随年岁与心境慢慢变化，今日所见并非定数。\n与其问手掌，不如看这双手每天做了些什么。勤勉踏实，命运自在掌中。"));

		for (i in 0...4) {
			var pair = [];
			for (c in [Kit.INK_SOFT, Kit.VERMILION]) {
				var t = new GlyphText(NAMES[i], 15, c);
				t.x = 374 + i * 68;
				t.y = 404;
				root.addChild(t);
				pair.push(t);
			}
			tags.push(pair);
		}
		var note = new GlyphText("手相之说，仅供娱乐", 12, Kit.INK_SOFT);
		note.x = 540;
		note.y = 452;
		note.alpha = 0.75;
		root.addChild(note);
		Kit.seal(root, "掌中", 600, 22, 40);

		t0 = Tween.now();
		// "start" (seconds) lets a page open the story part-way, for previews and checks.
		var start = Std.parseFloat(Reflect.field(Lib.current.loaderInfo.parameters, "start"));
		if (!Math.isNaN(start))
			t0 -= start;
		Lib.current.addEventListener(Event.ENTER_FRAME, _ -> render((Tween.now() - t0) % LOOP));
		render(0);
	}

	static function caption(head:String, number:String, body:String):Sprite {
		var s = new Sprite();
		var h = new GlyphText(head, 30, Kit.VERMILION, 0, 0, 1.5, 0.08);
		s.addChild(h);
		if (number != "") {
			var n = new GlyphText("主线之" + number, 14, Kit.INK_SOFT);
			n.x = h.textWidth + 14;
			n.y = 14;
			s.addChild(n);
		}
		var g = s.graphics;
		g.lineStyle(1, Kit.GOLD, 0.8);
		g.moveTo(0, 46);
		g.lineTo(250, 46);
		var b = new GlyphText(body, 18.5, Kit.INK, 252, 0, 1.7);
		b.y = 60;
		s.addChild(b);
		s.x = 376;
		s.y = 86;
		s.alpha = 0;
		root.addChild(s);
		return s;
	}

	static function render(t:Float) {
		root.alpha = ramp(t, 0, 0.8) * (1 - ramp(t, LOOP - 1.6, LOOP - 0.3));

		// The palm: traced, then filled and creased.
		var trace = Tween.easeInOut(ramp(t, 0.6, 6.2));
		drawPartial(outline.graphics, handPts, trace, 2.6, Kit.INK, 1, true);
		var fill = ramp(t, 5.6, 7.2);
		skin.alpha = fill;
		cuff.alpha = fill;
		creases.alpha = 0.4 * ramp(t, 6.4, 7.6);
		if (!creaseDrawn)
			drawCreases();

		// The four lines, each in its turn; the current one in vermilion, the past ones in soft ink.
		var active = -1;
		for (i in 0...4) {
			var s = LINE_START + i * LINE_SPAN;
			var k = Tween.easeInOut(ramp(t, s, s + 2.4));
			var current = t >= s && t < s + LINE_SPAN;
			var glow = t >= OUTRO && t < LOOP - 1.6;
			if (current)
				active = i;
			var color = current || glow ? Kit.VERMILION : 0x8C5A48;
			var width = current ? 4.2 : (glow ? 3.4 + Math.sin((t - OUTRO) * 3 + i) * 0.8 : 2.6);
			drawPartial(lineShapes[i].graphics, linePts[i], k, width, color, 1, false);
			labels[i].alpha = ramp(t, s + 1.6, s + 2.4);
			if (k > 0 && k < 1) {
				var p = pointAt(linePts[i], k);
				tip.x = p[0];
				tip.y = p[1];
			}
			tags[i][0].alpha = t >= s + LINE_SPAN ? 1 : 0.35;
			tags[i][1].alpha = current ? 1 : 0;
			if (current)
				tags[i][0].alpha = 0;
		}
		if (trace > 0 && trace < 1) {
			var p = pointAt(handPts, trace);
			tip.x = p[0];
			tip.y = p[1];
		}
		var tracing = (trace > 0 && trace < 1);
		for (i in 0...4) {
			var s = LINE_START + i * LINE_SPAN;
			if (t > s && t < s + 2.4)
				tracing = true;
		}
		tip.visible = tracing;

		// Captions: the intro, one per line, the closing word.
		var starts = [1.0, LINE_START, LINE_START + LINE_SPAN, LINE_START + 2 * LINE_SPAN, LINE_START + 3 * LINE_SPAN, OUTRO];
		var ends = [LINE_START, LINE_START + LINE_SPAN, LINE_START + 2 * LINE_SPAN, LINE_START + 3 * LINE_SPAN, OUTRO, LOOP];
		for (i in 0...captions.length) {
			var a = ramp(t, starts[i] + 0.3, starts[i] + 1.1) * (1 - ramp(t, ends[i] - 0.6, ends[i]));
			captions[i].alpha = a;
			captions[i].y = 86 + (1 - ramp(t, starts[i] + 0.3, starts[i] + 1.1)) * 10;
			captions[i].visible = a > 0;
		}
	}

	/** A lacquer-red sleeve cuff, so the wrist ends in cloth rather than a cut. **/
	static function drawCuff(g:Graphics) {
		g.beginFill(0x8E2A1E);
		g.moveTo(104, 440);
		g.curveTo(208, 454, 312, 440);
		g.lineTo(318, 470);
		g.curveTo(208, 482, 98, 470);
		g.lineTo(104, 440);
		g.endFill();
		g.lineStyle(3, Kit.GOLD);
		g.moveTo(104, 446);
		g.curveTo(208, 460, 313, 446);
		g.lineStyle(1, Kit.GOLD, 0.7);
		g.moveTo(103, 452);
		g.curveTo(208, 466, 314, 452);
		g.lineStyle();
	}

	static var creaseDrawn = false;

	static function drawCreases() {
		creaseDrawn = true;
		var g = creases.graphics;
		g.clear();
		g.lineStyle(1.6, 0x7A4A32);
		for (c in CREASES) {
			g.moveTo(c[0], c[1]);
			g.curveTo(c[2], c[3], c[4], c[5]);
		}
	}

	static inline function ramp(t:Float, a:Float, b:Float):Float {
		return t <= a ? 0 : (t >= b ? 1 : (t - a) / (b - a));
	}

	/** Catmull-Rom through the control points, as a dense polyline with its running length in [2]. **/
	static function spline(ctrl:Array<Array<Float>>, steps:Int):Array<Array<Float>> {
		var out = [];
		var n = ctrl.length;
		for (i in 0...n - 1) {
			var p0 = ctrl[i == 0 ? 0 : i - 1], p1 = ctrl[i], p2 = ctrl[i + 1], p3 = ctrl[i + 2 < n ? i + 2 : n - 1];
			for (j in 0...steps) {
				var u = j / steps, u2 = u * u, u3 = u2 * u;
				var x = 0.5 * (2 * p1[0] + (-p0[0] + p2[0]) * u + (2 * p0[0] - 5 * p1[0] + 4 * p2[0] - p3[0]) * u2
					+ (-p0[0] + 3 * p1[0] - 3 * p2[0] + p3[0]) * u3);
				var y = 0.5 * (2 * p1[1] + (-p0[1] + p2[1]) * u + (2 * p0[1] - 5 * p1[1] + 4 * p2[1] - p3[1]) * u2
					+ (-p0[1] + 3 * p1[1] - 3 * p2[1] + p3[1]) * u3);
				out.push([x, y, 0.0]);
			}
		}
		out.push([ctrl[n - 1][0], ctrl[n - 1][1], 0.0]);
		for (i in 1...out.length)
			out[i][2] = out[i - 1][2] + Math.sqrt(Math.pow(out[i][0] - out[i - 1][0], 2) + Math.pow(out[i][1] - out[i - 1][1], 2));
		return out;
	}

	static function pointAt(pts:Array<Array<Float>>, k:Float):Array<Float> {
		var target = pts[pts.length - 1][2] * k;
		for (i in 1...pts.length) {
			if (pts[i][2] >= target) {
				var a = pts[i - 1], b = pts[i];
				var f = (b[2] - a[2]) > 0 ? (target - a[2]) / (b[2] - a[2]) : 0;
				return [a[0] + (b[0] - a[0]) * f, a[1] + (b[1] - a[1]) * f];
			}
		}
		return [pts[pts.length - 1][0], pts[pts.length - 1][1]];
	}

	static var drawn:Map<Graphics, String> = new Map();

	/** Draws the first fraction `k` of a polyline; `even` keeps one width, otherwise the stroke thins at both ends like a brush. **/
	static function drawPartial(g:Graphics, pts:Array<Array<Float>>, k:Float, width:Float, color:Int, alpha:Float, even:Bool) {
		// Redraw only on change: the canvas renderer pays for every segment.
		var key = Math.round(k * 2000) + "/" + Math.round(width * 20) + "/" + color;
		if (drawn.get(g) == key)
			return;
		drawn.set(g, key);
		g.clear();
		if (k <= 0)
			return;
		var target = pts[pts.length - 1][2] * k;
		var total = pts[pts.length - 1][2];
		g.moveTo(pts[0][0], pts[0][1]);
		if (even)
			g.lineStyle(width, color, alpha, false, flash.display.LineScaleMode.NORMAL, flash.display.CapsStyle.ROUND);
		var lastW = -1.0;
		for (i in 1...pts.length) {
			var a = pts[i - 1], b = pts[i];
			if (!even) {
				// Widths in steps of a third of a pixel: every new style starts a new path for the player.
				var w = Math.round(3 * width * (0.35 + 0.65 * Math.sin(Math.PI * Math.min(1, b[2] / total)))) / 3;
				if (w != lastW) {
					lastW = w;
					g.lineStyle(w, color, alpha, false, flash.display.LineScaleMode.NORMAL, flash.display.CapsStyle.ROUND);
				}
			}
			if (b[2] >= target) {
				var f = (b[2] - a[2]) > 0 ? (target - a[2]) / (b[2] - a[2]) : 0;
				g.lineTo(a[0] + (b[0] - a[0]) * f, a[1] + (b[1] - a[1]) * f);
				return;
			}
			g.lineTo(b[0], b[1]);
		}
	}
}
