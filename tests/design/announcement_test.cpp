#include "design/announcement.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace tarvex::design {
namespace {

struct AnnouncementCase
{
    const char *name;
    std::u16string_view boxName;
    std::u16string text;
    std::u16string told;
};

TEST(ResultAnnouncement, tellsTheBoxNameThenTheTextOrItsFirst200CharactersAndItsLength)
{
    // 𠀀 is one character in two UTF-16 units: after 199 characters it straddles the 200th unit.
    const std::u16string beforeThePair(199, u'中');
    const AnnouncementCase cases[] = {
        {"empty", u"输出结果框", u"", u"输出结果框"},
        {"short", u"输出结果框", u"31", u"输出结果框：31"},
        {"exactly 200 characters", u"输出十六进制结果", std::u16string(200, u'F'),
         u"输出十六进制结果：" + std::u16string(200, u'F')},
        {"201 characters", u"输出十六进制结果", std::u16string(201, u'F'),
         u"输出十六进制结果：" + std::u16string(200, u'F') + u"…（共 201 个字符）"},
        {"surrogate pair across the cut", u"输出转换后的中文结果", beforeThePair + u"𠀀文",
         u"输出转换后的中文结果：" + beforeThePair + u"𠀀…（共 201 个字符）"},
    };
    for (const AnnouncementCase &c : cases)
        EXPECT_EQ(resultAnnouncement(c.boxName, c.text), c.told) << c.name;
}

} // namespace
} // namespace tarvex::design
