#include "commands/exit.h"

#include <gtest/gtest.h>

#include "command_fixture.h"
#include "commands/planned_features.h"

namespace vellumet {
namespace {

using testing::CommandFixture;

TEST(ExitAndNotice, ExitQuestionAndPlannedFeatures) {
  CommandFixture f;
  f.dialogs.answers = {Answer::No, Answer::Yes};
  EXPECT_FALSE(end_syori_click(f.job));
  EXPECT_TRUE(end_syori_click(f.job));
  EXPECT_EQ(f.dialogs.shown[0], question_box("プログラム終了", "終了しますか。"));
  mott_option_click(f.job);
  EXPECT_EQ(f.dialogs.shown[2],
            info_box("もっとこだわりたい...",
                     "以下の機能を考えていますが、まだ実装できていません。\r\n\n"
                     "\t１．ボタンのイメージファイルを任意に指定できるようにする\r\n"
                     "\t２．サーバーへの ftp 転送\r\n"
                     "\t３．HTML作成後にブラウザの自動立ち上げ\r\n"
                     "\t４．テンプレートファイルのカプセル化または保護\r\n\n"
                     "その他にも注文あればお寄せください。"));
}

}  // namespace
}  // namespace vellumet
