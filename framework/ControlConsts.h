// Message texts of the control classes, forms, application and dialogs, in the framework's
// string table form (UTF-8 here, handed out in the process code page).
#pragma once

#include "framework/Consts.h"

namespace fw {

inline constexpr TResString SParentRequired{"コントロール '%s' には親ウィンドウがありません"};
inline constexpr TResString SControlParentSetToSelf{"コントロールは自分自身を親にできません"};
inline constexpr TResString SWindowCreateFailed{"ウィンドウ '%s' を作成できません"};
inline constexpr TResString SCannotShowModal{"表示中のウィンドウはモーダルにできません"};
inline constexpr TResString SCannotFocus{
    "非表示または無効のウィンドウにはフォーカスを設定できません"};
inline constexpr TResString SNoFormDescription{"クラス %s のフォーム記述が見つかりません"};

// Dialogs.
inline constexpr TResString SMsgDlgConfirm{"確認"};
inline constexpr TResString SMsgDlgWarning{"警告"};
inline constexpr TResString SMsgDlgError{"エラー"};
inline constexpr TResString SMsgDlgInformation{"情報"};
inline constexpr TResString SMsgDlgYes{"はい(&Y)"};
inline constexpr TResString SMsgDlgNo{"いいえ(&N)"};
inline constexpr TResString SMsgDlgOK{"OK"};
inline constexpr TResString SMsgDlgCancel{"キャンセル"};
inline constexpr TResString SMsgDlgAbort{"中止(&A)"};
inline constexpr TResString SMsgDlgRetry{"再試行(&R)"};
inline constexpr TResString SMsgDlgIgnore{"無視(&I)"};

}  // namespace fw
