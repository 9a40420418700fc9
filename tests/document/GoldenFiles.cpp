#include "GoldenFiles.h"

#include "RadioType.h"
#include "TableRows.h"

#include <fstream>
#include <iterator>

namespace kx9::golden {

Document newPmrLpd()
{
    Document doc;
    doc.newDocument(Language::English);
    return doc;
}

Document new400470()
{
    Document doc = newPmrLpd();
    doc.selectType(kType400470, Language::English);
    return doc;
}

Document handSet()
{
    Document doc = newPmrLpd();
    ChannelImage image = doc.imageAsSaved();
    image.setPowerRank(3);
    image.setManualOpen(false);
    image.setSquelch(3);
    image.setRadioIdentity(0x42);
    image.setHighPowerCalibration(0x7E);
    doc.acceptRead(image, Language::English);
    ChannelTable t = doc.table();
    test::setRow(t, 1,
                 test::splitCells<9>("446.00625|446.00625|67.0|D023N|Wide|No|High|Carrier|CH 1-A"));
    test::setRow(t, 2,
                 test::splitCells<9>("446.0125|446.5125|D754I|254.1|Narrow|Yes|Low|QT/DQT|AB"));
    test::setRow(t, 3, test::splitCells<9>(""));
    t.setCell(4, kColName, "abc");
    doc.replaceChannels(t);
    return doc;
}

std::vector<std::uint8_t> readBytes(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace kx9::golden
