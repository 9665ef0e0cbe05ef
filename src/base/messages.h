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
inline constexpr const char* kPageIsFolder =
    "フォルダ内に %s という名前のフォルダがあるため、ページを書き込めません。"
    "そのフォルダの名前を変えてから、もう一度作成して下さい。";
inline constexpr const char* kTooManySlides =
    "チャート枚数「%s」が大きすぎます。32767 以下の数を指定して下さい。";
inline constexpr const char* kCountOutOfRange =
    "チャート枚数「%s」は扱える数の範囲を超えています。32767 以下の数を指定して下さい。";
inline constexpr const char* kRenameExists = "%s を %s に名前を変更できません。%s は既にあります。";
inline constexpr const char* kKeepAndGoOn = "このファイルをそのままにして処理を続けますか？";
inline constexpr const char* kRenameFailed = "%s を %s に名前を変更できませんでした。";
inline constexpr const char* kTemplateFailed = "テンプレート %s を読み込めませんでした。";
inline constexpr const char* kPageFailed = "%s を書き込めませんでした。";
inline constexpr const char* kCannotLookAt = "%s を調べられませんでした。";
inline constexpr const char* kListFailed = "フォルダ %s を読み込めませんでした。";
inline constexpr const char* kFrameStyleOutOfRange = "フレーム形式 %s は 0 ～ 3 の範囲外です。";
inline constexpr const char* kShowNumberOutOfRange =
    "スライドショー番号 %s は 0 ～ 10 の範囲外です。";

// Numbered images that cannot be a folder's slides: the head names the
// folder, each finding is an item of a list ("%s" first: the images it is
// about, as a range), the tail says that nothing is changed.
inline constexpr const char* kSeriesHead =
    "フォルダ %s の番号付きの画像は、次の理由でスライドとして使えません。";
inline constexpr const char* kSeriesRange = "%s ～ %s";
inline constexpr const char* kSeriesSeveral =
    "番号付きの画像が %s 組あります（%s）。どの組がスライドか決められません。";
inline constexpr const char* kSeriesMixed = "%s: 画像の種類が混ざっています（%s）。";
inline constexpr const char* kSeriesTypeCount = "%s %s 枚";
inline constexpr const char* kSeriesSameNumber = "%s: 番号 %s の画像が複数あります。";
inline constexpr const char* kSeriesGap = "%s: 番号 %s の画像がありません。";
inline constexpr const char* kSeriesTail =
    "何も変更しません。スライドの画像を一組だけにし、番号を 0 か 1 から抜けなく付けて下さい。";
// A numbered series is renamed all or none.
inline constexpr const char* kSeriesKept =
    "番号付きの画像の名前はどれも変更しません。既にあるファイルの名前を変えるか、別のフォルダに移し"
    "て"
    "下さい。";
inline constexpr const char* kSeriesUndone =
    "名前を変更した番号付きの画像は、元の名前に戻しました。";
inline constexpr const char* kSeriesNotUndone = "次の画像は元の名前に戻せませんでした。";
inline constexpr const char* kSeriesRenamed = "%s（元の名前: %s）";
// Items of a list inside a sentence, and what stands for the ones left out.
inline constexpr const char* kListSeparator = "、";
inline constexpr const char* kListMore = "…";

// The reason given for a file that is read but is a pipe, a device or a
// socket instead of an ordinary file; it stands where a system error text would.
inline constexpr const char* kNotRegularFile = "通常のファイルではありません。";
// The reason given for a template with a line longer than a page writer
// reads; the limit in MB fills in.
inline constexpr const char* kLineTooLong = "1 行が長すぎます（1 行は %s MB までです）。";

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
// A folder given on the command line or dropped onto the window; the system's
// error text follows as the next paragraph.
inline constexpr const char* kOpenFolderTitle = "フォルダを開く";
inline constexpr const char* kFolderUnreadable =
    "%s はフォルダではないか、読み込めないので開けません。";
// The type column of the open-file dialog for a folder.
inline constexpr const char* kFolderType = "フォルダ";

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

// The command line. Usage errors are followed by kCliUsageHint.
inline constexpr const char* kCliHelp[] = {
    "使い方: vellumet --create [オプション] スライド資料またはフォルダ...",
    "        vellumet --help | --version",
    "",
    "スライド資料（PDF、または .pptx .ppt .odp .key のプレゼンテーション）は、その横に",
    "同じ名前のフォルダを作ってページを画像にし（img001.jpg、img002.jpg…）、PDF を",
    "ダウンロード ファイルとして入れてから、そのフォルダで閲覧用HTMLを作成します。",
    "もう一度実行すると、そのフォルダを新しくします（自分で置いたファイルはそのまま）。",
    "プレゼンテーションは LibreOffice（パッケージ libreoffice-impress）で PDF にします。",
    "",
    "PowerPointでHTMLエキスポートしたフォルダは、ウィンドウでそのフォルダを開いて",
    "「HTML作成」を押したときと同じ処理をします（ウィンドウは開きません）。",
    "引数なしで起動するとウィンドウが開きます。",
    "",
    "  --create               指定したスライド資料とフォルダを順に処理する",
    "  --page 名前            閲覧用HTMLのファイル名（既定: index.html）",
    "  --count 枚数           チャート枚数（既定: フォルダで数えた枚数）",
    "  --style 0|1|2|3        フレーム形式: 0 左、1 右、2 上、3 下（既定: アイコンリストの指定）",
    "  --player               PowerPoint Animation Player ボタンを付ける（フォルダのみ）",
    "  --no-player            付けない（既定: フォルダに .ppz ファイルがあれば付ける）",
    "  --download ファイル    ダウンロード "
    "ボタンを付け、このファイル（フォルダの中のもの）を指定する",
    "  --no-download          ダウンロード ボタンを付けない（既定: スライド資料では PDF）",
    "  --icons standard|custom",
    "                         ボタンアイコン: サーバーの標準品を使う（既定）/ "
    "本スライド専用に作成する",
    "  --clean                作成後、不要ファイルを消去する",
    "  --no-clean             消去しない（既定）",
    "  --yes                  ほかの質問にはすべて「はい」と答える",
    "  --dry-run              "
    "何も変更せず、名前の変更、書き込み、消去の確認をするファイルを表示する",
    "  --width ピクセル       スライド資料のページを画像にする幅（16～8192、既定: 1920）",
    "  --image jpg|png|webp   画像の形式（既定: jpg）",
    "  --out フォルダ         スライド資料を 1 つだけ指定したとき、そのフォルダに作る",
    "  --jobs 数              同時に処理する数（既定: CPU の数）",
    "  --help                 この説明を表示する",
    "  --version              バージョンを表示する",
    "",
    "ウィンドウと同じメッセージを標準エラー出力に表示します。--yes がないとき、質問は端末で",
    "y/N で尋ねます（Enter はウィンドウの既定のボタンと同じ「いいえ」）。端末がなければ",
    "「いいえ」と答えたのと同じく、そのフォルダの処理をやめます（スライド資料の画像は",
    "作成済みのまま残ります）。",
    "",
    "終了コード: 0 すべてでHTMLを作成した、1 やめたか失敗したものがある、",
    "            2 オプションの誤り、128+シグナル番号 Ctrl-C "
    "などで中断した（書きかけのファイルは消します）",
    "",
    "例: vellumet --create --yes 発表.pdf",
    "    vellumet --create --yes --clean lecture01 lecture02",
};
inline constexpr const char* kCliVersion = "vellumet %s";
// Standard output could not be written (a full disk); the system's error text
// follows on the next line.
inline constexpr const char* kCliOutputFailed = "標準出力に書き込めませんでした。";
inline constexpr const char* kCliUsageHint = "使い方は vellumet --help で表示できます。";
inline constexpr const char* kCliUnknownOption = "%s というオプションはありません。";
inline constexpr const char* kCliMissingValue = "%s の後に値を指定して下さい。";
inline constexpr const char* kCliNoValue = "%s には値を付けられません。";
inline constexpr const char* kCliBadStyle =
    "--style には 0、1、2、3 のどれかを指定して下さい（「%s」は使えません）。";
inline constexpr const char* kCliBadCount =
    "--count にはチャート枚数を数字で指定して下さい（「%s」は使えません）。";
inline constexpr const char* kCliBadIcons =
    "--icons には standard か custom を指定して下さい（「%s」は使えません）。";
// The --download file: no file (the system's error text follows on the next
// line), or one outside a show folder.
inline constexpr const char* kCliDownloadMissing =
    "--download のファイル %s は、読み込めるファイルではありません。";
inline constexpr const char* kCliDownloadOutside =
    "--download のファイル %s はフォルダ %s の中にありません。"
    "ダウンロードするファイルは、スライドと同じフォルダの中に置いて下さい。";
inline constexpr const char* kCliNoCreate = "--create を指定して下さい。";
inline constexpr const char* kCliNoFolder = "フォルダを指定して下さい。";
inline constexpr const char* kCliFolderMissing = "フォルダ %s が見つかりません。何もしません。";
inline constexpr const char* kCliNotSlideSet =
    "フォルダ %s にはスライドのネタ（img001.gif、img001.jpg、sld001.gif、sld001.jpg "
    "のどれか、または Slide1.png、Slide2.png… のような番号付きの画像）がありません。"
    "何も変更しません。";
// A box on the terminal: its title line, then its text.
inline constexpr const char* kCliBoxTitle = "[%s]";
// Questions on the terminal: the prompt, and how an answer was given.
inline constexpr const char* kCliPrompt = "はい/いいえ [%s]: ";
inline constexpr const char* kCliPromptYesDefault = "Y/n";
inline constexpr const char* kCliPromptNoDefault = "y/N";
inline constexpr const char* kCliYes = "はい";
inline constexpr const char* kCliNo = "いいえ";
inline constexpr const char* kCliAnswered = "→ %s（%s）";
inline constexpr const char* kCliNoTerminal = "端末がないため";
inline constexpr const char* kCliInputEnded = "入力が終わったため";
// Several folders: the progress line and the summary.
inline constexpr const char* kCliProgress = "[%s/%s] %s";
inline constexpr const char* kCliSummary = "%s: %s";
inline constexpr const char* kCliDone = "完了";
inline constexpr const char* kCliStopped = "中止";
inline constexpr const char* kCliFailed = "失敗";
inline constexpr const char* kCliPlanned = "確認のみ";
// The dry run's plan.
inline constexpr const char* kCliPlanHead = "%s（--dry-run: 何も変更しません）";
inline constexpr const char* kCliPlanRefused = "次の理由で、何も変更せずに終わります:";
inline constexpr const char* kCliPlanSlides = "チャート枚数 %s、%s";
inline constexpr const char* kCliPlanRenames = "名前を変更するファイル:";
inline constexpr const char* kCliPlanRename = "%s → %s";
inline constexpr const char* kCliPlanRenameTaken = "%s → %s（%s は既にあります。続けるか尋ねます）";
inline constexpr const char* kCliPlanWrites = "書き込むファイル:";
inline constexpr const char* kCliPlanDeadTemporaries =
    "先に消去する一時ファイル（中断された処理が残したもの）:";
inline constexpr const char* kCliPlanReplaced = "%s（上書き）";
inline constexpr const char* kCliPlanLeftovers = "消去を確認するファイル（%s）:";
inline constexpr const char* kCliPlanClean = "--clean: 消去します";
inline constexpr const char* kCliPlanKeep = "--no-clean: 消去しません";
inline constexpr const char* kCliPlanNone = "なし";

// Decks: a PDF or an office presentation made into a show folder. Where a
// system error text follows, it is the next paragraph.
inline constexpr const char* kDeckTitle = "スライド資料の変換";
inline constexpr const char* kDeckNotFound = "%s が見つからないか、通常のファイルではありません。";
inline constexpr const char* kDeckNotDeck =
    "%s はスライド資料として読めません。PDF（.pdf）か、プレゼンテーションのファイル（.pptx、"
    ".ppt、.odp、.key）を指定して下さい。";
inline constexpr const char* kDeckCorrupt =
    "%s は壊れているか途中で切れているため、PDF として読めません。";
inline constexpr const char* kDeckPassword =
    "%s はパスワードで保護されているため開けません。保護を外した PDF を指定して下さい。";
inline constexpr const char* kDeckNoPages = "%s にはページがありません。";
inline constexpr const char* kDeckNoOffice =
    "%s を変換するには LibreOffice Impress が必要です。パッケージ libreoffice-impress "
    "をインストールして下さい（例: sudo apt install libreoffice-impress）。";
inline constexpr const char* kDeckOfficeFailed =
    "LibreOffice で %s を PDF に変換できませんでした。";
inline constexpr const char* kDeckOfficeTimeout =
    "LibreOffice が %s の変換を %s 秒以内に終えなかったので、終了させました。";
inline constexpr const char* kDeckForeign =
    "フォルダ %s は Vellumet が作ったものではないので、何も変更しません。別の出力先フォルダを指定"
    "して下さい。";
inline constexpr const char* kDeckNoEncoder =
    "%s 形式の画像を書き出せません。Qt の画像形式プラグイン（パッケージ "
    "qt6-image-formats-plugins）をインストールして下さい。";
inline constexpr const char* kDeckBadWidth =
    "画像の幅「%s」は使えません。16 ～ 8192 の数を指定して下さい。";
inline constexpr const char* kDeckCancelled = "%s の変換を中止しました。何も変更していません。";
// Progress of one deck: converting with LibreOffice, then page n of N.
inline constexpr const char* kDeckConverting = "%s: LibreOffice で PDF に変換しています...";
inline constexpr const char* kDeckPage = "%s: %s / %s ページ";
// The window: the file dialog for a deck, and the progress before the first
// page and after a cancel.
inline constexpr const char* kDeckDialogTitle = "スライド資料を選択して下さい。";
inline constexpr const char* kDeckFilterName = "スライド資料";
inline constexpr const char* kDeckReading = "%s: 読み込んでいます...";
inline constexpr const char* kDeckCancelling = "%s: 中止しています...";

// Decks on the command line: the options' values, options that do not fit
// the decks given, and the dry run's plan of a deck.
inline constexpr const char* kCliBadWidth =
    "--width には画像の幅を %s ～ %s のピクセル数で指定して下さい（「%s」は使えません）。";
inline constexpr const char* kCliBadImage =
    "--image には jpg、png、webp のどれかを指定して下さい（「%s」は使えません）。";
inline constexpr const char* kCliBadJobs =
    "--jobs には同時に処理する数を 1 ～ %s で指定して下さい（「%s」は使えません）。";
// Options that do not fit the decks given.
inline constexpr const char* kCliPlayerWithDeck =
    "--player はスライド資料（%s）には使えません。PDF "
    "やプレゼンテーションのファイルから作るスライド"
    "ショーには、PowerPoint Animation Player のファイルがありません。";
inline constexpr const char* kCliOutOneDeck =
    "--out は、スライド資料（PDF やプレゼンテーションのファイル）を 1 "
    "つだけ指定したときに使えます。";
inline constexpr const char* kCliSameShow =
    "スライド資料 %s と %s は、どちらも同じフォルダ %s に作ることになります。"
    "一度に一つずつ指定して下さい。";
// The dry run's plan of a deck: the folder made or updated, then the pages
// ("%s ページ", or all of an office file's) with the format and the width.
inline constexpr const char* kCliPlanDeckCreate =
    "フォルダ %s を作り、%sを画像にします（%s、幅 %s ピクセル）。";
inline constexpr const char* kCliPlanDeckUpdate =
    "フォルダ %s の画像と PDF を新しくし、%sを画像にします（%s、幅 %s ピクセル）。"
    "ほかのファイルはそのままです。";
inline constexpr const char* kCliPlanDeckPages = "%s ページ";
inline constexpr const char* kCliPlanDeckAllPages = "すべてのページ";
inline constexpr const char* kCliPlanDeckOffice =
    "LibreOffice で PDF に変換します。ページ数は変換してからわかります。";
inline constexpr const char* kCliPlanDeckDownload = "ダウンロード ファイル: %s";
inline constexpr const char* kCliPlanDeckViewerLater =
    "閲覧用HTMLで何をするかは、変換してページ数がわかってから決まります。";

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
// Items inside a sentence: the first `most`, joined by kListSeparator, then
// kListMore when there are more.
std::string enumerated(const std::vector<std::string>& items, std::size_t most);

}  // namespace vellumet::msg
