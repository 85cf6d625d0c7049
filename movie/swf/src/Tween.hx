// SPDX-License-Identifier: GPL-3.0-or-later
import flash.Lib;
import flash.events.Event;

/** A minimal property tween driven by the stage's ENTER_FRAME, timed by the clock so a slow frame never slows the story. **/
class Tween {
	static var running:Array<Tween> = [];
	static var installed = false;

	var target:Dynamic;
	var from:Map<String, Float> = new Map();
	var goal:Map<String, Float> = new Map();
	var start:Float;
	var secs:Float;
	var ease:Float->Float;
	var done:Void->Void;
	var started = false;

	public static function to(target:Dynamic, secs:Float, props:Dynamic, delay:Float = 0, ?ease:Float->Float, ?done:Void->Void):Tween {
		install();
		var t = new Tween();
		t.target = target;
		for (f in Reflect.fields(props))
			t.goal.set(f, Reflect.field(props, f));
		t.start = now() + delay;
		t.secs = secs <= 0 ? 0.0001 : secs;
		t.ease = ease == null ? easeInOut : ease;
		t.done = done;
		running.push(t);
		return t;
	}

	/** Calls `fn` after `secs` seconds. **/
	public static function delay(secs:Float, fn:Void->Void):Tween {
		return to({}, 0.0001, {}, secs, null, fn);
	}

	/** Drops every pending tween on `target` (or every tween at all when null). **/
	public static function kill(?target:Dynamic) {
		running = target == null ? [] : running.filter(t -> t.target != target);
	}

	public static inline function now():Float {
		return Lib.getTimer() / 1000;
	}

	public static function easeInOut(k:Float):Float {
		return k < 0.5 ? 2 * k * k : 1 - Math.pow(-2 * k + 2, 2) / 2;
	}

	public static function easeOut(k:Float):Float {
		return 1 - (1 - k) * (1 - k) * (1 - k);
	}

	public static function easeIn(k:Float):Float {
		return k * k;
	}

	public static function linear(k:Float):Float {
		return k;
	}

	/** Overshoots a little and settles, for things that land. **/
	public static function backOut(k:Float):Float {
		var c = 1.7;
		var m = k - 1;
		return 1 + (c + 1) * m * m * m + c * m * m;
	}

	function new() {}

	static function install() {
		if (installed)
			return;
		installed = true;
		Lib.current.addEventListener(Event.ENTER_FRAME, tick);
	}

	static function tick(_) {
		var t = now();
		for (tw in running.copy()) {
			if (t < tw.start)
				continue;
			if (!tw.started) {
				tw.started = true;
				for (f in tw.goal.keys())
					tw.from.set(f, Reflect.getProperty(tw.target, f));
			}
			var k = Math.min(1, (t - tw.start) / tw.secs);
			var e = tw.ease(k);
			for (f in tw.goal.keys()) {
				var a = tw.from.get(f);
				Reflect.setProperty(tw.target, f, a + (tw.goal.get(f) - a) * e);
			}
			if (k >= 1) {
				running.remove(tw);
				if (tw.done != null)
					tw.done();
			}
		}
	}
}
