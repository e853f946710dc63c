// The handlers of the animation editor's command families, one file each:
// files (anime_file_commands.cpp), scenes and scene frames
// (scene_commands.cpp), motions (motion_commands.cpp) and the dialogue,
// background and sound tables (table_commands.cpp). Each returns true when
// the view must be drawn again.
#pragma once

namespace quillo {
class AnimeDialogs;
class SettingsStore;
struct AnimatorSettings;
} // namespace quillo

namespace quillo::animeditor {

class AnimeEditor;

// "D3DSET" shown with `settings`; OK takes its values and writes them to
// `store` (when given). False when cancelled.
bool optionsdialog(AnimeDialogs& dialogs, SettingsStore* store, AnimatorSettings& settings);

// Files.
bool newCommand(AnimeEditor& e);
bool openCommand(AnimeEditor& e);
bool closeCommand(AnimeEditor& e);
bool saveCommand(AnimeEditor& e);
bool saveAsCommand(AnimeEditor& e);
bool optionsCommand(AnimeEditor& e);
// Saves every motion of the document (asking before replacing a file).
void saveAllMotions(AnimeEditor& e);

// Scenes, models and scene frames.
bool addModelCommand(AnimeEditor& e);
bool addSceneCommand(AnimeEditor& e);
bool chooseSceneCommand(AnimeEditor& e);
bool deleteSceneCommand(AnimeEditor& e);
bool reorderScenesCommand(AnimeEditor& e);
bool patternCommand(AnimeEditor& e);
// 618, 628, 629, 500-505.
bool frameCommand(AnimeEditor& e, int command);

// Motions: 201, 302, 550-557, 621, 626, 627, 632.
bool chooseMotionCommand(AnimeEditor& e);
bool addMotionCommand(AnimeEditor& e);
bool motionCommand(AnimeEditor& e, int command);

// Tables: 202-204 (choice) and 303-305 (add).
bool tableChoiceCommand(AnimeEditor& e, int command);
bool addDialogueCommand(AnimeEditor& e);
bool addBackgroundCommand(AnimeEditor& e);
bool addSoundCommand(AnimeEditor& e);

} // namespace quillo::animeditor
