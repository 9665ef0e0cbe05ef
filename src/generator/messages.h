#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// The fixed Japanese texts of the boxes and fields. Pieces are joined without
// separators; CR, LF and TAB are spelled out where the texts use them.
namespace vellumet::msg {

// Create-HTML
inline constexpr const char* kCreateTitle = "HTMLの作成";
inline constexpr const char* kNoSource =
    "スライドのネタ（PowerPointのHTMLエキスポートデータ）が指定されていないので、何もしません。";
inline constexpr const char* kCountTitle = "GIFファイル数の確認";
inline constexpr const char* kNoCount = " チャート枚数を指定してありません。";
inline constexpr const char* kGoOn = "無視して処理を続けますか？";
inline constexpr const char* kConfirmHead =
    "以下の要領でZorvo スライドショーを閲覧できるHTMLを作成します。";
inline constexpr const char* kConfirmSource = "スライドのネタには、";
inline constexpr const char* kConfirmSourceEnd = " を使います。";
inline constexpr const char* kConfirmPage = "スライドを閲覧するHTMLは、";
inline constexpr const char* kConfirmPageEnd = " に作成します。";
inline constexpr const char* kConfirmPlayer = "PowerPoint Animation Player ボタンを付けます。";
inline constexpr const char* kConfirmDownload = "ダウンロード ボタンを付けます。";
inline constexpr const char* kConfirmAsk = "よろしいですか？";
inline constexpr const char* kImageTitle = "GIFファイルの確認";
inline constexpr const char* kNotFound = " が見つかりません。";
inline constexpr const char* kPptTitle = "pres0.ppzファイルの確認";
inline constexpr const char* kPres0 = "pres0.ppz";
inline constexpr const char* kShowTitle = "Zorvo スライドショー(by Y.Korrin)";
inline constexpr const char* kCleanupPrefix = "ついでに ";
inline constexpr const char* kDone = "Zorvo スライドショー閲覧用HTMLを作成しました。";

// Create-HTML: failures the command reports itself.
inline constexpr const char* kBadPageName =
    "閲覧用HTMLのファイル名「%s」は使えません。フォルダを含まないファイル名を指定して下さい。";
inline constexpr const char* kTooManySlides =
    "チャート枚数「%s」が大きすぎます。32767 以下の数を指定して下さい。";
inline constexpr const char* kRenameExists =
    "%s を %s に名前を変更できません。%s は既にあります。\r\n\n"
    "このファイルをそのままにして処理を続けますか？";
inline constexpr const char* kRenameFailed = "%s を %s に名前を変更できませんでした。\r\n\n%s";
inline constexpr const char* kTemplateFailed = "テンプレート %s を読み込めませんでした。\r\n\n%s";
inline constexpr const char* kPageFailed = "%s を書き込めませんでした。\r\n\n%s";
inline constexpr const char* kListFailed = "フォルダ %s を読み込めませんでした。\r\n\n%s";

// Clean-up
inline constexpr const char* kGomiTitle = "余分なファイルの消去";
inline constexpr const char* kGomiQuestion =
    "PowerPointでエキスポートしたゴミファイルを消去しますか？";
inline constexpr const char* kNoGomi = "不要なファイルはありません";
inline constexpr const char* kDeleteFailed = "次のファイルを消去できませんでした。";

// Icon lists
inline constexpr const char* kIconTitle = "ボタンアイコン";
inline constexpr const char* kIconUnreadable = "アイコンリスト %s を読み込めませんでした。\r\n\n%s";
inline constexpr const char* kIconShort =
    "アイコンリスト %s の行が足りません（9 行必要です）。フレーム形式は 0 にします。";
inline constexpr const char* kIconBadStyle =
    "アイコンリスト %s の 9 行目はフレーム形式 0 ～ 3 の数ではありません。フレーム形式は 0 "
    "にします。";

// Main window
inline constexpr const char* kInstruction1 =
    "ここには、PowerPointでHTMLエキスポートされたGIFファイルなどの収納されたディレクトリ名を記述"
    "して下さい ";
inline constexpr const char* kInstruction2 = "(上の参照ボタンをクリックすれば探しにいけます）";
inline constexpr const char* kExitTitle = "プログラム終了";
inline constexpr const char* kExitQuestion = "終了しますか。";
inline constexpr const char* kMottTitle = "もっとこだわりたい...";
inline constexpr const char* kDownloadDialogTitle = "ダウンロード指定ファイルを選択して下さい。";

// `pattern` with each "%s" replaced by the next argument.
inline std::string fill(std::string_view pattern, std::initializer_list<std::string_view> args) {
  std::string out;
  auto arg = args.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's' && arg != args.end()) {
      out += *arg++;
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

}  // namespace vellumet::msg
