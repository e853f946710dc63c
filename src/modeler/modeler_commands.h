// The model editor's command numbers and its command table. Scripts and
// tool windows use the numbers (`cmd 615`); code names them (Cmd::PlusX).
#pragma once

#include "platform/command_table.h"
#include "platform/pose_steps.h"

namespace quillo {

class ModelEditor;

enum class Cmd : int {
    Open = 101, Insert = 102, Close = 103, Save = 104, SaveAs = 105, Exit = 106, Options = 107,
    Symmetry = 200, Pattern = 201, ZoomUp = 202, ZoomDown = 203, ZoomTo = 204, ScaleFactor = 205,
    ObjectWindow = 300, PartWindow = 301,
    AddPart = 400, InsertPart = 401, DeletePart = 402, DeletePartFaces = 403, DeletePartChildren = 404,
    ResizePart = 405, RenamePart = 406, RenameObject = 407, ReorderParts = 408, ChangeParent = 409,
    // 500..513 arm the face tools 1..14.
    ToolMoveToPart = 500, ToolDelete = 501, ToolCrossSplit = 502, ToolHorizontalSplit = 503,
    ToolVerticalSplit = 504, ToolDiagonal = 505, ToolExtrude = 506, ToolDoubleSided = 507, ToolAddPoint = 508,
    ToolChangePoint = 509, ToolColour = 510, ToolTexture = 511, ToolTwistFix = 512, ToolTurnOver = 513,
    RotationStep1 = 514, RotationStep6 = 519,
    ModeWindow = 520, FaceToolWindow = 523, MouseWindow = 524,
    MoveStep1 = 600, MoveStep6 = 605,
    TurnUp = 606, TurnDown = 607, TurnLeft = 608, TurnRight = 609, TwistLeft = 610, TwistRight = 611,
    PlusZ = 612, MinusZ = 613, MinusX = 614, PlusX = 615, MinusY = 616, PlusY = 617,
    Execute = 618, ReverseExecute = 619,
    ModeCamera = 620, ModePoint = 621, ModeObject = 622, ModePart = 623, ChooseObject = 624, ChoosePart = 625,
    TextureShorter = 626, TextureTaller = 627, TextureNarrower = 628, TextureWider = 629,
    ModeTexture = 630, ModePartGeometry = 631,
    AddColour = 700, ChangeColour = 701, ChooseColour = 702, AddTexture = 703, ChooseTexture = 704,
    AddPattern = 705, RemovePattern = 706, Help = 707,
    DragVerticalX = 1200, DragVerticalY = 1201, DragVerticalZ = 1202, DragVerticalTurn = 1203,
    DragHorizontalX = 1204, DragHorizontalY = 1205, DragHorizontalZ = 1206, DragHorizontalTurn = 1207,
    DragHorizontalBank = 1208, DragHorizontalNone = 1209, DragVerticalNone = 1210,
    // Beyond the original program: 800-899.
    Undo = 801, Redo = 802, Import = 803, Export = 804,
    // 810..817: the recent files, newest first.
    RecentFile1 = 810, RecentFile8 = 817,
};

constexpr int id(Cmd c) { return static_cast<int>(c); }

// The pose, step and drag commands of the model editor for the shared pose rules.
const PoseCommandIds& modelerPoseIds();

// The full table with every handler bound to `editor`.
CommandTable modelerCommandTable(ModelEditor& editor);

} // namespace quillo
