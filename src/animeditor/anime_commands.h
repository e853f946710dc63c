// The animation editor's command numbers and its command table. Scripts and
// tool windows use the numbers (`cmd 618`); code names them (Cmd::Record).
#pragma once

#include "platform/command_table.h"
#include "platform/pose_steps.h"

namespace quillo::animeditor {

class AnimeEditor;

enum class Cmd : int {
    New = 100, Open = 101, Close = 102, Save = 103, SaveAs = 104, Exit = 105, Options = 106,
    ModeWindow = 150,
    ChooseScene = 200, ChooseMotion = 201, ChooseDialogue = 202, ChooseBackground = 203, ChooseSound = 204,
    ObjectWindow = 205, PartWindow = 206,
    AddScene = 300, AddModel = 301, AddMotion = 302, AddDialogue = 303, AddBackground = 304, AddSound = 305,
    PreviewPrevious = 500, PreviewNext = 501, Inbetween = 502, DeleteFrame = 503, CopyFrame = 504,
    PasteFrame = 505, ReorderScenes = 506, DeleteScene = 507, SceneWindow = 508,
    ResetPose = 550, SaveMotion = 551, LoadMotion = 552, MotionInbetween = 553, DeleteMotionFrame = 554,
    CopyMotionFrame = 555, PasteMotionFrame = 556, MotionSettings = 557,
    ZoomUp = 560, ZoomDown = 561, ZoomTo = 562, ScaleFactor = 563,
    RotationStep1 = 591, RotationStep6 = 596,
    MoveStep1 = 600, MoveStep6 = 605,
    TurnUp = 606, TurnDown = 607, TurnLeft = 608, TurnRight = 609, TwistLeft = 610, TwistRight = 611,
    PlusZ = 612, MinusZ = 613, MinusX = 614, PlusX = 615, MinusY = 616, PlusY = 617,
    Record = 618, ModeCamera = 620, MotionPrevious = 621, ModeObject = 622, ModePart = 623,
    ChooseObject = 624, ChoosePart = 625, MotionPreviewPrevious = 626, MotionPreviewNext = 627,
    PreviousFrame = 628, NextFrame = 629, Pattern = 631, MotionNext = 632,
    Help = 701,
    DragVerticalX = 702, DragVerticalY = 703, DragVerticalZ = 704, DragVerticalTurn = 705, DragVerticalNone = 706,
    DragHorizontalX = 707, DragHorizontalY = 708, DragHorizontalZ = 709, DragHorizontalTurn = 710,
    DragHorizontalBank = 711, DragHorizontalNone = 712, MouseWindow = 713,
    // Beyond the original program: 800-899.
    Play = 800, ExportFrames = 801,
};

constexpr int id(Cmd c) { return static_cast<int>(c); }

// The pose, step and drag commands of the animation editor for the shared pose rules.
const PoseCommandIds& animePoseIds();

// The full table with every handler bound to `editor`.
CommandTable animeCommandTable(AnimeEditor& editor);

} // namespace quillo::animeditor
