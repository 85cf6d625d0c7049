// SPDX-License-Identifier: GPL-3.0-or-later
// A tiny movie for the player tests: a ball crossing a 320 × 240 stage at 10 frames per second.
import flash.display.Sprite;
import flash.events.Event;

class Main {
    static function main() {
        var stage = flash.Lib.current.stage;
        var ball = new Sprite();
        ball.graphics.beginFill(0xC0392B);
        ball.graphics.drawCircle(0, 0, 30);
        ball.graphics.endFill();
        ball.y = 120;
        flash.Lib.current.addChild(ball);
        stage.addEventListener(Event.ENTER_FRAME, function(_) {
            ball.x = (ball.x + 8) % 320;
        });
    }
}
