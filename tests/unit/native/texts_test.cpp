// Each of the program's GBK texts, checked against the C library's own conversion
// of its readable form.
#include "ui/texts.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

namespace talvine {
namespace {

std::string ToGbk(const std::string& utf8) {
    iconv_t cd = iconv_open("GBK", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        ADD_FAILURE() << "no GBK converter";
        return {};
    }
    std::string in = utf8, out(utf8.size() * 2 + 4, '\0');
    char* src = in.data();
    char* dst = out.data();
    size_t inLeft = in.size(), outLeft = out.size();
    const size_t r = iconv(cd, &src, &inLeft, &dst, &outLeft);
    iconv_close(cd);
    EXPECT_NE(r, static_cast<size_t>(-1)) << "cannot convert " << utf8;
    out.resize(out.size() - outLeft);
    return out;
}

struct TextCase {
    const char* name;
    const char* gbk;
    const char* utf8;
};

class Texts : public ::testing::TestWithParam<TextCase> {};

TEST_P(Texts, AreTheGbkFormOfTheirReadableText) {
    EXPECT_EQ(std::string(GetParam().gbk), ToGbk(GetParam().utf8));
}

INSTANTIATE_TEST_SUITE_P(
    All, Texts,
    ::testing::Values(
        TextCase{"ProductName", texts::kProductName, "Talvine复制粘贴精简版V1.0"},
        TextCase{"CaptionCopyOn", texts::kCaptionCopyOn, "关闭复制"},
        TextCase{"CaptionCopyOff", texts::kCaptionCopyOff, "开启复制"},
        TextCase{"CaptionHelp", texts::kCaptionHelp, "说明"},
        TextCase{"CaptionLink", texts::kCaptionLink, "官网"},
        TextCase{"HelpText", texts::kHelpText,
                 "鼠标划取文本，按鼠标中键就可以粘贴。\r\n\r\n按键盘Esc可以切换关闭和开启复制功能。"},
        TextCase{"StartupFailed", texts::kStartupFailed, "启动窗口载入失败。"},
        TextCase{"BalloonFontFace", texts::kBalloonFontFace, "宋体"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(Texts, HelpTextIs77Bytes) { EXPECT_EQ(sizeof texts::kHelpText - 1, 77u); }

}  // namespace
}  // namespace talvine
