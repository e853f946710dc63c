// The messages of the animation data, as the user sees them.
#pragma once

namespace quillo::anim::text {

inline constexpr const char* cannotRead = "ファイル %s が読み込めません";
inline constexpr const char* cannotWrite = "ファイル %s に書き込めません";
inline constexpr const char* saveMotionQuestion = "動作 %s をファイルに保存しますか？";
inline constexpr const char* sceneFull = "一場面に使用できるモデルは６４個までです";
inline constexpr const char* modelMissing = "モデル:%s が見つかりません";
inline constexpr const char* tableFull = "このプログラムでは６４個以上のモデルは扱えません";
// A name, line or path that would not read back as one token.
inline constexpr const char* unstorable = "「%s」は空か空白を含むため保存できません";
// A motion made for an object with a different number of parts or textures.
inline constexpr const char* motionMismatch = "動作 %s はこの物体には使えません";
// Frame operations in a scene that has no model yet.
inline constexpr const char* sceneWithoutModel = "場面にモデルがありません";

} // namespace quillo::anim::text
