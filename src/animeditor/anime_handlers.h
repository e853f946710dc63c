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
// Scene frames: 618, 628, 629, 500-505.
bool recordFrameCommand(AnimeEditor& e, int);
bool previousFrameCommand(AnimeEditor& e, int);
bool nextFrameCommand(AnimeEditor& e, int);
bool previewPreviousCommand(AnimeEditor& e, int);
bool previewNextCommand(AnimeEditor& e, int);
bool inbetweenFrameCommand(AnimeEditor& e, int);
bool deleteFrameCommand(AnimeEditor& e, int);
bool copyFrameCommand(AnimeEditor& e, int);
bool pasteFrameCommand(AnimeEditor& e, int);

// Motions: 201, 302, 550-557, 621, 626, 627, 632.
bool chooseMotionCommand(AnimeEditor& e);
bool addMotionCommand(AnimeEditor& e);
// The current motion of the current object (nothing without one): 550-557, 621, 626, 627, 632.
bool motionPreviousCommand(AnimeEditor& e, int);
bool motionNextCommand(AnimeEditor& e, int);
bool motionPreviewPreviousCommand(AnimeEditor& e, int);
bool motionPreviewNextCommand(AnimeEditor& e, int);
bool resetPoseCommand(AnimeEditor& e, int);
bool saveMotionCommand(AnimeEditor& e, int);
bool loadMotionCommand(AnimeEditor& e, int);
bool motionInbetweenCommand(AnimeEditor& e, int);
bool deleteMotionFrameCommand(AnimeEditor& e, int);
bool copyMotionFrameCommand(AnimeEditor& e, int);
bool pasteMotionFrameCommand(AnimeEditor& e, int);
bool motionSettingsCommand(AnimeEditor& e, int);

// Tables: 202-204 (choice) and 303-305 (add).
bool tableChoiceCommand(AnimeEditor& e, int command);
bool addDialogueCommand(AnimeEditor& e);
bool addBackgroundCommand(AnimeEditor& e);
bool addSoundCommand(AnimeEditor& e);

} // namespace quillo::animeditor
