#include "portable/SaveFileName.h"

#include <gtest/gtest.h>

TEST(SaveFileName, ProposesANameFromTheNodeOrItsFormat)
{
    struct Case {
        const wchar_t* nodeName;
        const wchar_t* formatName;
        const wchar_t* proposed;
    };
    const Case cases[] = {
        {L"", L"\"PNG\"", L"PNG.png"},
        {L"", L"\"Rich Text Format\"", L"Rich Text Format.rtf"},
        {L"", L"\"HTML Format\"", L"HTML Format.html"},
        {L"", L"\"html format\"", L"html format.html"},
        {L"", L"CF_UNICODETEXT", L"CF_UNICODETEXT.txt"},
        {L"", L"\"text/html\"", L"text_html.html"},
        {L"", L"\"JFIF\"", L"JFIF.jpg"},
        {L"", L"\"Plexa Private\"", L"Plexa Private.bin"},
        {L"", L"49371", L"49371.bin"},
        {L"", L"", L"data.bin"},
        {L"", L"\"...\"", L"data.bin"},
        {L"C:\\Users\\me\\写真.jpeg", L"FileContents", L"写真.jpeg"},
        {L"dir/sub/a.txt", L"", L"a.txt"},
        {L"stream:1?", L"", L"stream_1_"},
        {L"C:\\folder\\", L"\"PNG\"", L"PNG.png"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProposeSaveFileName(c.nodeName, c.formatName), c.proposed) << c.nodeName << " " << c.formatName;
}
