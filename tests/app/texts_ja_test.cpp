// The Japanese texts: each stored Shift-JIS text converted back must give the UTF-8 text it
// stands for (copied here from the documentation of the messages).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/texts_ja.h"
#include "text/convert.h"

namespace {

TEST(JapaneseTexts, EachConvertsBackToItsUtf8Text) {
    const std::pair<const char*, const char*> texts[] = {
        {kModeLabelJa, "(日本語環境) "},
        {kNoDroppedFileJa, "ドラッグ＆ドロップされた PMX ファイルはありません. \n"},
        {kPleaseOpenModelJa, " PMX モデルファイルを開いてください. \n"},
        {kModelHeadJa, " モデル： \r\n"},
        {kInModelJa, " 中の \r\n"},
        {kArmTwistLJa, " 　左腕捩  \r\n"},
        {kWristTwistLJa, " 　左手捩  \r\n"},
        {kArmTwistRJa, " 　右腕捩  \r\n"},
        {kWristTwistRJa, " 　右手捩  \r\n"},
        {kTwistMismatchJa, " の設定情報に不一致があります. \r\n"},
        {kAskFixTwistJa, " 修正しますか？ (Y/N/Cancel) \r\n"},
        {kBrokenCountJa, " %d 個のテクスチャへのリンクが \r\n"},
        {kSeemBrokenJa, " 破損している模様です. \r\n"},
        {kAskRepairJa, " 修復しますか？ (Y/N/Cancel) \r\n"},
        {kInferredJa, "(類推しました)"},
        {kTextureOrSphereJa, " テクスチャ/スフィア: \r\n"},
        {kNotFoundJa, " が見つからないため、 \r\n"},
        {kSearchNextJa, " 次のダイアログで探します。 (続行:OK) \r\n"},
        {kRepairedJa, " 設定を修復し、 \r\n"},
        {kSavedToJa, " へ保存しました. \r\n"},
        {kNothingToRepairJa, " 修復すべき箇所は \r\n"},
        {kNotFoundAnyJa, " 見つかりませんでした. \r\n"},
    };
    for (const auto& t : texts) {
        char utf8[4 * 256];
        ASSERT_LT(std::strlen(t.first) * 3 + 1, sizeof utf8);
        EXPECT_EQ(sjisToUtf8(utf8, t.first), 7) << t.second;
        EXPECT_EQ(std::string(utf8), t.second);
    }
}

} // namespace
