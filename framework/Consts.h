// The framework's string table: every message text in one place, written in UTF-8 and handed out
// in the process code page.
#pragma once

#include <string>
#include <string_view>

namespace fw {

// One entry of the string table.
struct TResString {
  std::string_view Utf8;
};

// The entry's text in the process code page.
std::string LoadResString(const TResString& entry);

// Streams and files.
inline constexpr TResString SFCreateError{"ファイル %s を作成できません"};
inline constexpr TResString SFOpenError{"ファイル %s は開けません"};
inline constexpr TResString SReadError{"ストリームからの読み込みエラー"};
inline constexpr TResString SWriteError{"ストリームへの書き込みエラー"};
inline constexpr TResString SMemoryStreamError{
    "メモリ ストリームを拡張するためのメモリが不足しています"};
inline constexpr TResString SOutOfMemory{"メモリが不足しています"};

// Graphics.
inline constexpr TResString SInvalidBitmap{"ビットマップイメージが不正です"};
inline constexpr TResString SInvalidIcon{"アイコンイメージが不正です"};
inline constexpr TResString SInvalidMetafile{"メタファイルが不正です"};
inline constexpr TResString SInvalidImage{"イメージが不正です"};
inline constexpr TResString SUnknownExtension{"拡張子 .%s の画像形式は処理できません"};
inline constexpr TResString SUnknownClipboardFormat{"サポートされていない形式です"};
inline constexpr TResString SNoCanvasHandle{"キャンバスは描画を許可していません"};
inline constexpr TResString SOutOfResources{"システム リソースが不足しています"};
inline constexpr TResString SImageCanvasNeedsBitmap{
    "ビットマップを持っている時のみイメージの変更が可能です"};
inline constexpr TResString SScanLine{"スキャンラインのインデックスが範囲外です"};
inline constexpr TResString SChangeIconSize{"アイコンのサイズは変更できません"};
inline constexpr TResString SJPEGError{"JPEG エラー #%d"};
inline constexpr TResString SJPEGImageSize{"JPEG イメージのサイズは変更できません"};
inline constexpr TResString SInvalidPixelFormat{"ピクセル形式が不正です"};
inline constexpr TResString SBitmapTooLarge{"ビットマップの大きさ %d x %d は不正です"};
inline constexpr TResString SVMetafiles{"メタファイル"};
inline constexpr TResString SVEnhMetafiles{"エンハンス メタファイル"};
inline constexpr TResString SVIcons{"アイコン"};
inline constexpr TResString SVBitmaps{"ビットマップ"};

// General.
inline constexpr TResString SOperationAborted{"操作は中止されました"};

// Components and persistence.
inline constexpr TResString SAssignError{"%s を %s に代入できません"};
inline constexpr TResString SInvalidName{"'%s' は有効なコンポーネント名ではありません"};
inline constexpr TResString SDuplicateName{"%s という名前のコンポーネントは既に存在します"};
inline constexpr TResString SClassNotFound{"クラス %s が見つかりません"};
inline constexpr TResString SDuplicateClass{"クラス %s は既に登録されています"};
inline constexpr TResString SCannotCreate{"クラス %s のインスタンスは作成できません"};
inline constexpr TResString SInvalidFormat{"書式 '%s' が不正か引数と一致しません"};

// Form descriptions: the reader names the line of every error.
inline constexpr TResString SParseErrorAtLine{"%s (%d 行目)"};
inline constexpr TResString SExpected{"%s が必要です"};
inline constexpr TResString SUnexpectedEnd{"記述が途中で終わっています"};
inline constexpr TResString SInvalidCharacter{"不正な文字 (コード %d) があります"};
inline constexpr TResString SInvalidNumber{"数値 %s は不正です"};
inline constexpr TResString SUnterminatedString{"文字列が閉じられていません"};
inline constexpr TResString SInvalidUtf8{"UTF-8 として不正なバイト列があります"};
inline constexpr TResString SNotInCodePage{"文字列をプロセスのコード ページに変換できません"};
inline constexpr TResString STooDeep{"入れ子が深すぎます"};
inline constexpr TResString STrailingText{"記述の終わりの後に余分なテキストがあります"};
inline constexpr TResString SUnknownProperty{"プロパティ %s は存在しません"};
inline constexpr TResString SInvalidPropertyValue{"プロパティ %s の値が不正です"};
inline constexpr TResString SPropertyOutOfRange{"プロパティ %s の値 %s は範囲外です"};
inline constexpr TResString SUnknownEnumValue{"%s は %s の値ではありません"};
inline constexpr TResString SUnknownMethod{"メソッド %s は存在しません"};
inline constexpr TResString SMethodTypeMismatch{"メソッド %s の型はイベント %s と一致しません"};
inline constexpr TResString SUnresolvedReference{"コンポーネント %s が見つかりません"};
inline constexpr TResString SClassMismatch{"%s は %s の型と一致しません"};
inline constexpr TResString SNotAChildClass{"クラス %s はコンポーネントではありません"};
inline constexpr TResString SReadOnlyProperty{"プロパティ %s は読み取り専用です"};
inline constexpr TResString SInvalidBinary{"バイナリ値が不正です"};

}  // namespace fw
