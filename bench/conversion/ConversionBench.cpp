// ImageToTable and TableToImage on a full image: all 128 channels in use,
// with tones, names and flags. Goal: each well under 100 microseconds, so a
// Read, an Open or a Save never waits on the conversion.

#include "ChannelConversion.h"
#include "RadioType.h"
#include "ToneTable.h"

#include <benchmark/benchmark.h>

namespace {

kx9::ChannelImage fullImage()
{
    kx9::ChannelImage image = kx9::newDocumentImage();
    image.setRadioTypeBits(kx9::layout::kRadioType400470);
    const auto &tones = kx9::ToneTable::entries();
    for (int ch = 1; ch <= kx9::kChannelCount; ++ch) {
        image.setRxFrequency(ch, static_cast<std::uint32_t>(40000000 + ch * 625));
        image.setTxFrequency(ch, static_cast<std::uint32_t>(46000000 + ch * 500));
        image.setRxTone(ch, kx9::toneTextToCode(tones[static_cast<std::size_t>(ch)]));
        image.setTxTone(ch, kx9::toneTextToCode(tones[static_cast<std::size_t>(ch + 100)]));
        image.setByte(kx9::layout::recordOffset(ch) + kx9::layout::kFlags,
                      static_cast<std::uint8_t>(ch * 5));
        image.setNameCodes(ch, {12, 17, 36, static_cast<std::uint8_t>(ch % 10), 10, 11, 37, 20});
    }
    return image;
}

void imageToTable(benchmark::State &state)
{
    const kx9::ChannelImage image = fullImage();
    kx9::ChannelTable table;
    for (auto _ : state) {
        benchmark::DoNotOptimize(kx9::imageToTable(image, table, kx9::Language::English));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(imageToTable)->Unit(benchmark::kMicrosecond);

void tableToImage(benchmark::State &state)
{
    const kx9::ChannelImage source = fullImage();
    kx9::ChannelTable table;
    const kx9::Selectors selectors = kx9::imageToTable(source, table, kx9::Language::English);
    kx9::ChannelImage image = source;
    for (auto _ : state) {
        kx9::tableToImage(table, selectors, image);
        benchmark::DoNotOptimize(image);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(tableToImage)->Unit(benchmark::kMicrosecond);

} // namespace
