// SPDX-License-Identifier: GPL-3.0-or-later
import flash.display.DisplayObjectContainer;
import flash.display.GradientType;
import flash.display.Graphics;
import flash.display.Shape;
import flash.display.Sprite;
import flash.events.MouseEvent;
import flash.geom.Matrix;

/** The look shared by all four movies: paper, ink, vermilion and gold. **/
class Kit {
	public static inline var W = 674;
	public static inline var H = 477;

	public static inline var PAPER = 0xF3E9D2;
	public static inline var PAPER_DEEP = 0xE8D8B6;
	public static inline var INK = 0x2B2420;
	public static inline var INK_SOFT = 0x5E5045;
	public static inline var VERMILION = 0xB0382B;
	public static inline var VERMILION_LIGHT = 0xCB5240;
	public static inline var GOLD = 0xB8914A;
	public static inline var SKIN = 0xF6DCC0;

	/**
		The whole stage shows, scaled to the player's area and centred in it. The Haxe runtime aligns
		the stage top-left before main() runs, which leaves a blank band in a resized window.
	**/
	public static function showAll() {
		var stage = flash.Lib.current.stage;
		if (stage == null)
			return;
		stage.scaleMode = flash.display.StageScaleMode.SHOW_ALL;
		stage.align = cast ""; // centred: the empty alignment
	}

	/** Warm paper with a soft vignette, fibres and a double frame. **/
	public static function paper(parent:DisplayObjectContainer):Shape {
		var s = new Shape();
		var g = s.graphics;
		g.beginFill(PAPER);
		g.drawRect(0, 0, W, H);
		g.endFill();
		var m = new Matrix();
		m.createGradientBox(W * 1.35, H * 1.5, 0, -W * 0.175, -H * 0.25);
		g.beginGradientFill(GradientType.RADIAL, [0x8A6A3A, 0x8A6A3A], [0, 0.22], [110, 255], m);
		g.drawRect(0, 0, W, H);
		g.endFill();
		// Paper fibres: a fixed seed so every showing looks the same.
		var seed = 7;
		inline function rnd():Float {
			seed = (seed * 16807) % 2147483647;
			return seed / 2147483647;
		}
		// One stroke style for all of them: each change of style costs the player a path of its own.
		g.lineStyle(1, 0x7A5A30, 0.08);
		for (i in 0...260) {
			var x = rnd() * W, y = rnd() * H, a = rnd() * Math.PI, l = 3 + rnd() * 9;
			g.moveTo(x, y);
			g.lineTo(x + Math.cos(a) * l, y + Math.sin(a) * l);
		}
		g.lineStyle(2, GOLD, 0.9);
		g.drawRect(10, 10, W - 20, H - 20);
		g.lineStyle(1, VERMILION, 0.55);
		g.drawRect(15, 15, W - 30, H - 30);
		g.lineStyle();
		for (c in [[10, 10], [W - 10, 10], [10, H - 10], [W - 10, H - 10]])
			corner(g, c[0], c[1]);
		parent.addChild(s);
		return s;
	}

	static function corner(g:Graphics, x:Float, y:Float) {
		g.beginFill(VERMILION);
		g.drawRect(x - 5, y - 5, 10, 10);
		g.endFill();
		g.beginFill(PAPER);
		g.drawRect(x - 2.5, y - 2.5, 5, 5);
		g.endFill();
		g.beginFill(GOLD);
		g.drawRect(x - 1, y - 1, 2, 2);
		g.endFill();
	}

	/** A centred title between two vermilion lozenges. **/
	public static function title(parent:DisplayObjectContainer, text:String, y:Float, size:Float = 30):Sprite {
		var s = new Sprite();
		var t = new GlyphText(text, size, INK, 0, 1, 1.5, 0.12);
		s.addChild(t);
		var g = s.graphics;
		var half = t.textWidth / 2 + 22;
		for (sx in [-1, 1]) {
			g.beginFill(VERMILION);
			var cx = sx * half, cy = size * 0.52;
			g.moveTo(cx, cy - 6);
			g.lineTo(cx + 6, cy);
			g.lineTo(cx, cy + 6);
			g.lineTo(cx - 6, cy);
			g.endFill();
			g.lineStyle(1, GOLD, 0.8);
			g.moveTo(cx + sx * 10, cy);
			g.lineTo(cx + sx * 70, cy);
			g.lineStyle();
		}
		s.x = W / 2;
		s.y = y;
		parent.addChild(s);
		return s;
	}

	/** A square vermilion seal with up to four characters, read in columns from the right. **/
	public static function seal(parent:DisplayObjectContainer, text:String, x:Float, y:Float, size:Float = 44):Sprite {
		var s = new Sprite();
		var g = s.graphics;
		g.beginFill(VERMILION, 0.92);
		g.drawRoundRect(0, 0, size, size, size * 0.18, size * 0.18);
		g.endFill();
		g.lineStyle(1.5, PAPER, 0.9);
		g.drawRoundRect(3, 3, size - 6, size - 6, size * 0.12, size * 0.12);
		g.lineStyle();
		var cs = size * 0.36;
		var n = text.length;
		for (i in 0...n) {
			var col = n <= 2 ? 0 : (i < 2 ? 1 : 0);
			var row = n <= 2 ? i : i % 2;
			var ch = new GlyphText(text.charAt(i), cs, PAPER);
			var cols = n <= 2 ? 1 : 2;
			ch.x = (cols == 1) ? (size - cs) / 2 : size / 2 + (col == 1 ? 1 : -cs - 1);
			ch.y = size / 2 - cs * 1.0 + row * cs * 0.98 - 1;
			s.addChild(ch);
		}
		s.x = x;
		s.y = y;
		s.rotation = -4;
		parent.addChild(s);
		return s;
	}

	/** A lacquered button; `onClick` runs on release. **/
	public static function button(parent:DisplayObjectContainer, label:String, cx:Float, cy:Float, onClick:Void->Void, w:Float = 132, h:Float = 40):Sprite {
		var b = new Sprite();
		var face = new Shape();
		b.addChild(face);
		function paint(hot:Bool) {
			var g = face.graphics;
			g.clear();
			g.beginFill(0x000000, 0.18);
			g.drawRoundRect(-w / 2 + 2, -h / 2 + 3, w, h, 14, 14);
			g.endFill();
			g.beginFill(hot ? VERMILION_LIGHT : VERMILION);
			g.drawRoundRect(-w / 2, -h / 2, w, h, 14, 14);
			g.endFill();
			g.lineStyle(1.5, GOLD, 0.95);
			g.drawRoundRect(-w / 2 + 4, -h / 2 + 4, w - 8, h - 8, 10, 10);
			g.lineStyle();
		}
		paint(false);
		var t = new GlyphText(label, h * 0.46, PAPER, 0, 1, 1.5, 0.1);
		t.y = -h * 0.46 * 0.56;
		b.addChild(t);
		b.buttonMode = true;
		b.useHandCursor = true;
		b.mouseChildren = false;
		b.addEventListener(MouseEvent.ROLL_OVER, _ -> paint(true));
		b.addEventListener(MouseEvent.ROLL_OUT, _ -> paint(false));
		b.addEventListener(MouseEvent.CLICK, _ -> onClick());
		b.x = cx;
		b.y = cy;
		parent.addChild(b);
		return b;
	}

	/** A small grey note at the foot of the frame. **/
	public static function footnote(parent:DisplayObjectContainer, text:String) {
		var t = new GlyphText(text, 13, INK_SOFT, 0, 1);
		t.x = W / 2;
		t.y = H - 36;
		t.alpha = 0.8;
		parent.addChild(t);
	}

	/** A soft panel of deeper paper to set text on. **/
	public static function panel(parent:DisplayObjectContainer, x:Float, y:Float, w:Float, h:Float):Sprite {
		var s = new Sprite();
		var g = s.graphics;
		g.beginFill(PAPER_DEEP, 0.55);
		g.lineStyle(1, GOLD, 0.7);
		g.drawRoundRect(0, 0, w, h, 16, 16);
		g.endFill();
		s.x = x;
		s.y = y;
		parent.addChild(s);
		return s;
	}

	public static function shuffleIndex(n:Int):Int {
		return Std.int(Math.random() * n) % n;
	}
}
