// The program's own fixed texts, as the bytes the platform shows: Shift-JIS (code page 932).
// Each is written out byte for byte so that no build depends on a source-charset conversion; the
// readable text stands in the comment above it, and a unit test checks that both agree.
#pragma once

#include <string_view>

namespace mascot::texts {

// "データファイルが読み込めません。" (the data file cannot be read)
inline constexpr std::string_view kMsgCannotRead = "\x83" "f\x81[\x83^\x83t\x83@\x83" "C\x83\x8B\x82\xAA\x93\xC7\x82\xDD\x8D\x9E\x82\xDF\x82\xDC\x82\xB9\x82\xF1\x81" "B";
// "データが破損しています。" (the data is corrupted)
inline constexpr std::string_view kMsgCorrupted = "\x83" "f\x81[\x83^\x82\xAA\x94j\x91\xB9\x82\xB5\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x81" "B";
// "旧バージョンのデータです。ROZIVAで変換して下さい。" (data of an old version; convert it with the conversion tool)
inline constexpr std::string_view kMsgOldVersion = "\x8B\x8C\x83o\x81[\x83W\x83\x87\x83\x93\x82\xCC\x83" "f\x81[\x83^\x82\xC5\x82\xB7\x81" "BROZIVA\x82\xC5\x95\xCF\x8A\xB7\x82\xB5\x82\xC4\x89\xBA\x82\xB3\x82\xA2\x81" "B";
// "プログラムのバージョンが低いため、実行できません。" (the program's version is too low to run it)
inline constexpr std::string_view kMsgProgramTooOld = "\x83v\x83\x8D\x83O\x83\x89\x83\x80\x82\xCC\x83o\x81[\x83W\x83\x87\x83\x93\x82\xAA\x92\xE1\x82\xA2\x82\xBD\x82\xDF\x81" "A\x8E\xC0\x8Ds\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81" "B";
// "データが破損している可能性があります。\n続けますか？" (the data may be corrupted; continue?)
inline constexpr std::string_view kMsgMayBeCorrupted = "\x83" "f\x81[\x83^\x82\xAA\x94j\x91\xB9\x82\xB5\x82\xC4\x82\xA2\x82\xE9\x89\xC2\x94\x5C\x90\xAB\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB7\x81" "B\n\x91\xB1\x82\xAF\x82\xDC\x82\xB7\x82\xA9\x81H";
// "整数を入力してください。" (please enter an integer)
inline constexpr std::string_view kMsgEnterInteger = "\x90\xAE\x90\x94\x82\xF0\x93\xFC\x97\xCD\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81" "B";
// "データファイルの変更" (change data file)
inline constexpr std::string_view kFileDialogTitle = "\x83" "f\x81[\x83^\x83t\x83@\x83" "C\x83\x8B\x82\xCC\x95\xCF\x8DX";
// The open-file dialog's filter, initial name and default extension; "|" separates the
// description from the pattern, as the framework writes filters.
inline constexpr std::string_view kFileDialogFilter = "KQ Files (*.kq) | *.kq ||";
inline constexpr std::string_view kFileDialogInitialName = "*.kq";
inline constexpr std::string_view kFileDialogDefaultExt = "kq";
// "ランダム選択" (random choice)
inline constexpr std::string_view kMenuRandom = "\x83\x89\x83\x93\x83_\x83\x80\x91I\x91\xF0";
// "設定(&S)..." (settings)
inline constexpr std::string_view kMenuSettings = "\x90\xDD\x92\xE8(&S)...";
// "パターン選択" (pattern choice)
inline constexpr std::string_view kMenuPatterns = "\x83p\x83^\x81[\x83\x93\x91I\x91\xF0";
// "このソフトについて(&A)..." (about this software)
inline constexpr std::string_view kMenuAbout = "\x82\xB1\x82\xCC\x83\x5C\x83t\x83g\x82\xC9\x82\xC2\x82\xA2\x82\xC4(&A)...";
// "終了(&X)\tAlt+F4" (exit)
inline constexpr std::string_view kMenuExit = "\x8FI\x97\xB9(&X)\tAlt+F4";
// "－－－－－" (column break: five full-width minus signs)
inline constexpr std::string_view kMenuColumnBreak = "\x81|\x81|\x81|\x81|\x81|";

// The application title: the caption of every message box the program shows. Plain ASCII, the
// same in every build.
inline constexpr std::string_view kAppTitle = "Desktop Mascot";

}  // namespace mascot::texts
