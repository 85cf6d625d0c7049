// SPDX-License-Identifier: GPL-3.0-or-later
// The schedule document through start-up and a run of rotation ticks.
#include "FuzzPromo.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    InitPromoFuzz();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    PromoRig rig;
    FakeHttp http;
    http.answers = {QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), "11", "11"};
    Promo::StartUp(rig.w, http, http, QStringLiteral("http://127.0.0.1"));
    FUZZ_CHECK(rig.lastLine == rig.memo.count() - 1);
    FUZZ_CHECK(rig.mainOn == 1 && rig.topOn == 1);
    for (int i = 0; i < 40; ++i) {
        try {
            Promo::Tick(rig.w, i % 2 ? Promo::Pane::Main : Promo::Pane::Top);
        } catch (const EVelmoraError&) {
            std::abort(); // a tick never fails on downloaded content
        }
        for (const std::int32_t cursor : {rig.topCursor, rig.mainCursor})
            FUZZ_CHECK(cursor >= 0 && (cursor <= rig.lastLine || cursor == 0));
        FUZZ_CHECK(rig.timer1.interval() >= 0 && rig.timer2.interval() >= 0);
    }
    return 0;
}
