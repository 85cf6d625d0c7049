// SPDX-License-Identifier: GPL-3.0-or-later
import flash.display.Graphics;
import flash.display.Sprite;

/**
	A line or block of text drawn from the outlines in the generated `Glyphs`
	class, so it looks the same in every player whatever fonts it has.
	The sprite's origin is the top-left corner of the first line.
**/
class GlyphText extends Sprite {
	static var decoded:Map<String, Array<Int>> = new Map();

	// Characters that must not start a line.
	static inline var NO_LINE_START = "，。、；：？！”’）》」』…·,.;:?!)";

	public var textWidth(default, null):Float = 0;
	public var textHeight(default, null):Float = 0;

	/**
		@param size      em size in pixels
		@param maxWidth  wrap width in pixels; 0 = only at "\n"
		@param align     0 left, 1 centre (around x = maxWidth / 2, or x = 0 when maxWidth is 0), 2 right
		@param leading   line pitch as a multiple of the em
	**/
	public function new(text:String, size:Float, color:Int, maxWidth:Float = 0, align:Int = 0, leading:Float = 1.5, spacing:Float = 0) {
		super();
		mouseEnabled = false;
		mouseChildren = false;
		var scale = size / Glyphs.EM;
		var lines = layout(text, scale, maxWidth, spacing * Glyphs.EM);
		var g = graphics;
		// One fill for the whole block: players draw each fill as a path, and a block is hundreds of contours.
		// Glyphs never overlap, so the even-odd rule of a shared fill leaves them as they are.
		g.beginFill(color);
		var y = size * 0.88; // baseline of the first line
		for (line in lines) {
			var w = lineWidth(line, scale, spacing * Glyphs.EM);
			if (w > textWidth)
				textWidth = w;
			var x = switch (align) {
				case 1: (maxWidth > 0 ? maxWidth / 2 : 0) - w / 2;
				case 2: (maxWidth > 0 ? maxWidth : 0) - w;
				default: 0.0;
			}
			for (ch in line) {
				var entry = Glyphs.table.get(ch);
				if (entry == null) {
					x += size * 0.3; // a space, or a character nobody asked for
					continue;
				}
				drawGlyph(g, ops(entry[1]), x, y, scale);
				x += (entry[0] + spacing * Glyphs.EM) * scale;
			}
			y += size * leading;
		}
		g.endFill();
		textHeight = lines.length == 0 ? 0 : size * (1 + leading * (lines.length - 1));
	}

	static function advance(ch:String, scale:Float, extra:Float):Float {
		var entry = Glyphs.table.get(ch);
		return entry == null ? Glyphs.EM * 0.3 * scale : (entry[0] + extra) * scale;
	}

	static function lineWidth(line:Array<String>, scale:Float, extra:Float):Float {
		var w = 0.0;
		for (ch in line)
			w += advance(ch, scale, extra);
		return line.length > 0 ? w - extra * scale : 0;
	}

	static function layout(text:String, scale:Float, maxWidth:Float, extra:Float):Array<Array<String>> {
		var result = [];
		for (para in text.split("\n")) {
			var line = [];
			var w = 0.0;
			for (i in 0...para.length) {
				var ch = para.charAt(i);
				var a = advance(ch, scale, extra);
				if (maxWidth > 0 && w + a > maxWidth && line.length > 0 && NO_LINE_START.indexOf(ch) < 0) {
					result.push(line);
					line = [];
					w = 0;
					if (ch == " ")
						continue;
				}
				line.push(ch);
				w += a;
			}
			result.push(line);
		}
		return result;
	}

	static function ops(data:String):Array<Int> {
		var cached = decoded.get(data);
		if (cached != null)
			return cached;
		var out = [];
		var value = 0;
		var shift = 0;
		for (i in 0...data.length) {
			var c = data.charCodeAt(i);
			var d = if (c >= 65 && c <= 90) c - 65 else if (c >= 97 && c <= 122) c - 71 else if (c >= 48 && c <= 57) c + 4 else if (c == 45) 62 else 63;
			value |= (d & 31) << shift;
			if (d & 32 != 0) {
				shift += 5;
			} else {
				out.push((value & 1) == 0 ? value >> 1 : -((value + 1) >> 1));
				value = 0;
				shift = 0;
			}
		}
		decoded.set(data, out);
		return out;
	}

	static function drawGlyph(g:Graphics, o:Array<Int>, ox:Float, oy:Float, s:Float) {
		var x = 0, y = 0, i = 0;
		while (i < o.length) {
			switch (o[i++]) {
				case 0:
					x += o[i++];
					y += o[i++];
					g.moveTo(ox + x * s, oy + y * s);
				case 1:
					x += o[i++];
					y += o[i++];
					g.lineTo(ox + x * s, oy + y * s);
				default:
					var cx = x + o[i++];
					var cy = y + o[i++];
					x = cx + o[i++];
					y = cy + o[i++];
					g.curveTo(ox + cx * s, oy + cy * s, ox + x * s, oy + y * s);
			}
		}
	}
}
