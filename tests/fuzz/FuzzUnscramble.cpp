// SPDX-License-Identifier: GPL-3.0-or-later
// HexToText and Unscramble on any text: lengths follow the pairs, no memory fault.
#include "Beeper.h"
#include "Platform.h"
#include "uShare.h"

#include <cstdlib>

namespace {
struct CountingBeeper final : Platform::Beeper {
    int beeps = 0;
    void beep() override { ++beeps; }
};
std::shared_ptr<CountingBeeper> beeper;
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    beeper = std::make_shared<CountingBeeper>();
    Platform::services().set(std::shared_ptr<Platform::Beeper>(beeper));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3)
        return 0;
    const auto key = static_cast<std::uint16_t>(data[0] << 8 | data[1]);
    const std::int32_t rounds = static_cast<std::int8_t>(data[2]) % 10; // negative ones too
    const QByteArray text(reinterpret_cast<const char*>(data) + 3, qsizetype(size - 3));
    beeper->beeps = 0;
    const QByteArray bytes = uShare::HexToText(text);
    if (bytes.size() + beeper->beeps != text.size() / 2)
        std::abort();
    const QByteArray plain = uShare::Unscramble(text, key, rounds);
    if (plain.size() != bytes.size() || (rounds <= 0 && plain != bytes))
        std::abort();
    return 0;
}
