#include "confirmation.h"

namespace vellumet::testing {

std::string confirmation_text(const std::string& src_dir, const std::string& page, bool player,
                              bool download) {
  std::string text =
      "以下の要領でZorvo スライドショーを閲覧できるHTMLを作成します。\r\n\n\t"
      "スライドのネタには、" +
      src_dir + " を使います。\r\n\tスライドを閲覧するHTMLは、" + page + " に作成します。";
  if (player) text += "\r\n\tPowerPoint Animation Player ボタンを付けます。";
  if (download) text += "\r\n\tダウンロード ボタンを付けます。";
  return text + "\r\n\nよろしいですか？";
}

}  // namespace vellumet::testing
