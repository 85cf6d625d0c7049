// SPDX-License-Identifier: GPL-3.0-or-later
// The switches document: each switch from its own answer, anything unexpected turns both off.
#include "FuzzPromo.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    InitPromoFuzz();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray doc(reinterpret_cast<const char*>(data), qsizetype(size));
    PromoRig rig;
    FakeHttp http;
    http.answers = {"1>5>http://a.test/\r\n0>5>http://b.test/\r\n", doc, doc};
    Promo::StartUp(rig.w, http, http, QStringLiteral("http://127.0.0.1"));
    const auto digit = [&](int i) { return doc.size() > i && doc[i] >= '0' && doc[i] <= '9'; };
    const bool good = digit(0) && digit(1);
    FUZZ_CHECK(rig.mainOn == (good ? doc[0] - '0' : 0));
    FUZZ_CHECK(rig.topOn == (good ? doc[1] - '0' : 0));
    FUZZ_CHECK(rig.main.visible() == (rig.mainOn != 0) && rig.top.visible() == (rig.topOn != 0));
    return 0;
}
