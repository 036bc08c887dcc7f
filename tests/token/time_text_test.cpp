// The token library's clock texts.
#include "tokenlib/time_text.h"

#include <gtest/gtest.h>

namespace {

TEST(TimeTextTest, ParsesWellFormedTextsAndFormatsThemBack) {
    struct Case {
        const char* text;
        int64_t seconds;
    };
    for (const Case& c :
         {Case{"1970/01/01/00/00/00", 0}, Case{"2019/07/05/08/03/09", 1562313789},
          Case{"2024/02/29/23/59/59", 1709251199}, Case{"2000/02/29/12/00/00", 951825600},
          Case{"2099/12/31/23/59/59", 4102444799}}) {
        int64_t seconds = -1;
        EXPECT_TRUE(ParseTimeText(c.text, seconds)) << c.text;
        EXPECT_EQ(seconds, c.seconds) << c.text;
        EXPECT_EQ(FormatTimeText(c.seconds), c.text);
    }
}

TEST(TimeTextTest, RefusesMalformedAndOutOfRangeTexts) {
    for (const char* text : {"",
                             "2019/07/05/08/03",
                             "2019/07/05/08/03/09/",
                             "2019/7/05/08/03/09",
                             "2019/07/05/08/03/9",
                             "2019-07-05 08:03:09",
                             " 2019/07/05/08/03/09",
                             "2019/07/05/08/03/09 ",
                             "+2019/07/05/08/03/09",
                             "2019/07/05/08/03/0x",
                             "20190/07/05/08/03/09",
                             "1969/12/31/23/59/59",
                             "2100/01/01/00/00/00",
                             "2019/00/05/08/03/09",
                             "2019/13/05/08/03/09",
                             "2019/04/31/08/03/09",
                             "2023/02/29/08/03/09",
                             "1900/02/29/08/03/09",
                             "2019/07/00/08/03/09",
                             "2019/07/05/24/03/09",
                             "2019/07/05/08/60/09",
                             "2019/07/05/08/03/60"}) {
        int64_t seconds = 0;
        EXPECT_FALSE(ParseTimeText(text, seconds)) << '"' << text << '"';
    }
    int64_t seconds = 0;
    EXPECT_FALSE(ParseTimeText(nullptr, seconds));
}

}  // namespace
