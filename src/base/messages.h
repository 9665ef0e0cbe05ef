#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// Every text the user can see outside the window layouts: box titles and
// texts, field texts, dialog titles. Texts are UTF-8 pieces, joined without
// separators; line breaks between them come from the joining functions below.
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
inline constexpr const char* kConfirmSource = "スライドのネタには、%s を使います。";
inline constexpr const char* kConfirmPage = "スライドを閲覧するHTMLは、%s に作成します。";
inline constexpr const char* kConfirmPlayer = "PowerPoint Animation Player ボタンを付けます。";
inline constexpr const char* kConfirmDownload = "ダウンロード ボタンを付けます。";
inline constexpr const char* kConfirmAsk = "よろしいですか？";
inline constexpr const char* kImageTitle = "GIFファイルの確認";
inline constexpr const char* kNotFound = "%s が見つかりません。";
inline constexpr const char* kPptTitle = "pres0.ppzファイルの確認";
inline constexpr const char* kShowTitle = "Zorvo スライドショー(by Y.Korrin)";
inline constexpr const char* kCleanupPrefix = "ついでに ";
inline constexpr const char* kDone = "Zorvo スライドショー閲覧用HTMLを作成しました。";

// Create-HTML: failures the command reports itself. Where a system error text
// follows, it is the next paragraph.
inline constexpr const char* kBadPageName =
    "閲覧用HTMLのファイル名「%s」は使えません。フォルダを含まないファイル名を指定して下さい。";
inline constexpr const char* kPageNameTaken =
    "閲覧用HTMLのファイル名「%s」は使えません。スライドの画像やダウンロードファイルなど、"
    "フォルダ内の他のファイルを上書きしてしまいます。.htm か .html "
    "で終わる別のファイル名を指定して下さい。";
inline constexpr const char* kTooManySlides =
    "チャート枚数「%s」が大きすぎます。32767 以下の数を指定して下さい。";
inline constexpr const char* kCountOutOfRange =
    "チャート枚数「%s」は扱える数の範囲を超えています。32767 以下の数を指定して下さい。";
inline constexpr const char* kRenameExists = "%s を %s に名前を変更できません。%s は既にあります。";
inline constexpr const char* kKeepAndGoOn = "このファイルをそのままにして処理を続けますか？";
inline constexpr const char* kRenameFailed = "%s を %s に名前を変更できませんでした。";
inline constexpr const char* kTemplateFailed = "テンプレート %s を読み込めませんでした。";
inline constexpr const char* kPageFailed = "%s を書き込めませんでした。";
inline constexpr const char* kListFailed = "フォルダ %s を読み込めませんでした。";
inline constexpr const char* kFrameStyleOutOfRange = "フレーム形式 %s は 0 ～ 3 の範囲外です。";
inline constexpr const char* kShowNumberOutOfRange =
    "スライドショー番号 %s は 0 ～ 10 の範囲外です。";

// The reason given for a file that is read but is a pipe, a device or a
// socket instead of an ordinary file; it stands where a system error text would.
inline constexpr const char* kNotRegularFile = "通常のファイルではありません。";

// Clean-up
inline constexpr const char* kGomiTitle = "余分なファイルの消去";
inline constexpr const char* kGomiQuestion =
    "PowerPointでエキスポートしたゴミファイルを消去しますか？";
inline constexpr const char* kNoGomi = "不要なファイルはありません";
inline constexpr const char* kDeleteFailed = "次のファイルを消去できませんでした。";
inline constexpr const char* kDeleteFailedFile = "%s：%s";

// Icon lists
inline constexpr const char* kIconTitle = "ボタンアイコン";
inline constexpr const char* kIconUnreadable = "アイコンリスト %s を読み込めませんでした。";
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
inline constexpr const char* kDownloadDialogTitle = "ダウンロード指定ファイルを選択して下さい。";

// The notice of planned features
inline constexpr const char* kMottTitle = "もっとこだわりたい...";
inline constexpr const char* kMottHead = "以下の機能を考えていますが、まだ実装できていません。";
inline constexpr const char* kMottPlans[] = {
    "１．ボタンのイメージファイルを任意に指定できるようにする",
    "２．サーバーへの ftp 転送",
    "３．HTML作成後にブラウザの自動立ち上げ",
    "４．テンプレートファイルのカプセル化または保護",
};
inline constexpr const char* kMottTail = "その他にも注文あればお寄せください。";

// The answer buttons of a question box, with the mnemonics a Japanese desktop shows.
inline constexpr const char* kYesButton = "はい(&Y)";
inline constexpr const char* kNoButton = "いいえ(&N)";

// `pattern` with each "%s" replaced by the next argument.
std::string fill(std::string_view pattern, std::initializer_list<std::string_view> args);

// Lines of a text, joined by CR LF.
std::string lines(const std::vector<std::string>& parts);
// Paragraphs of a box text, joined by CR LF LF.
std::string paragraphs(const std::vector<std::string>& parts);
// A list inside a box text: each item after a TAB, joined by CR LF.
std::string indented(const std::vector<std::string>& items);

}  // namespace vellumet::msg
