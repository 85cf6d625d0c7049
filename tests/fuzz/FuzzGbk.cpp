// SPDX-License-Identifier: GPL-3.0-or-later
// GBK decoding of any bytes, and encoding of what it gives.
#include "uShare.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray gb(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = Platform::DecodeGbk(gb);
    if (text.size() > gb.size() * 2)
        std::abort();
    const QByteArray back = Platform::EncodeGbk(text);
    // Text made of GBK's own characters survives the round trip.
    if (Platform::DecodeGbk(back).size() != text.size())
        std::abort();
    return 0;
}
