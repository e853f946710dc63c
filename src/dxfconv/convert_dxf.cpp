#include "convert_dxf.h"

#include <cstdio>
#include <vector>

#include "model/atomic_file.h"
#include "dxf_face_lists.h"
#include "dxf_face_reader.h"
#include "dxf_md4_writer.h"
#include "dxf_model_scale.h"
#include "dxf_pairing.h"
#include "model/messages.h"

namespace quillo {

namespace {

void outOfMemory() { errorbox(formatMessage("メモリーが足りません\nプログラムを終了してください")); }

bool endsWithDxf(const std::string& path)
{
    if (path.size() < 4) return false;
    const char* tail = path.c_str() + path.size() - 4;
    const char* want = ".DXF";
    for (int i = 0; i < 4; ++i) {
        char c = tail[i];
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
        if (c != want[i]) return false;
    }
    return true;
}

// Reads every face of the open input into the lists. False after a message.
bool readFaces(std::FILE* input, const std::string& path, DxfFaceLists& lists)
{
    Records<DxfFace> faces;
    DxfReadError error;
    bool ok = readDxfFaces(input, faces, error);
    std::fclose(input);
    if (!ok) {
        if (error.kind == DxfReadError::number)
            errorbox(formatMessage("ファイル %s の %ld 行目の座標が読めません", path.c_str(), error.line));
        else if (error.kind == DxfReadError::memory)
            outOfMemory();
        else
            errorbox(formatMessage("ファイル %s が読み込めません", path.c_str()));
        return false;
    }
    for (const DxfFace& face : faces)
        if (!lists.addFace(face)) {
            outOfMemory();
            return false;
        }
    return true;
}

// The grid point of every vertex. False after a message when the drawing
// gives no usable unit or a point does not fit the integer coordinates.
bool gridPoints(const DxfFaceLists& lists, const ModelScale& scale, const std::string& path,
                std::vector<GridPoint>& points)
{
    if (lists.faceCount() == 0) return true; // nothing to place
    float unit = drawingUnit(lists.extent(), scale.size);
    if (!(unit > 0.0f)) {
        errorbox(formatMessage("ファイル %s の頂点がすべて同じ位置にあります", path.c_str()));
        return false;
    }
    points.resize(size_t(lists.vertices.count()));
    size_t i = 0;
    for (const DxfVertex& v : lists.vertices) {
        GridPoint& p = points[i++];
        int32_t depth;
        if (!gridCoordinate(v.x, unit, p.x) || !gridCoordinate(v.z, unit, depth) ||
            !gridCoordinate(v.y, unit, p.z)) {
            errorbox(formatMessage("ファイル %s の座標が原点から遠すぎます", path.c_str()));
            return false;
        }
        p.y = -depth; // the drawing's z axis points the other way in the model
    }
    return true;
}

} // namespace

bool convertDxf(const ConversionOptions& o)
{
    const std::string& path = o.inputPath;
    if (!endsWithDxf(path)) {
        errorbox(formatMessage("ファイル %s はＤＸＦファイルではありません", path.c_str()));
        return false;
    }
    std::FILE* input = std::fopen(path.c_str(), "rb");
    if (!input) {
        errorbox(formatMessage("ファイル:%s が見つかりません\n", path.c_str()));
        return false;
    }
    ModelScale scale;
    if (!normaliseModelSize(o.modelSize, scale)) {
        std::fclose(input);
        errorbox(formatMessage("モデルサイズには０より大きい数を指定してください"));
        return false;
    }

    DxfFaceLists lists;
    std::vector<GridPoint> points;
    if (!readFaces(input, path, lists) || !gridPoints(lists, scale, path, points)) return false;
    if (!o.fast && !pairTriangles(lists)) {
        outOfMemory();
        return false;
    }

    AtomicFile output(o.outputPath);
    Md4Layout layout;
    layout.bothSides = o.bothSides;
    layout.reverse = o.reverse;
    layout.groupByColour = o.groupByColour;
    layout.allWhite = o.allWhite;
    if (!output.open() || !writeDxfModel(output, lists, points, scale.dt, layout) || !output.commit()) {
        errorbox(formatMessage("ファイル %s が書き込めません", o.outputPath.c_str()));
        return false;
    }
    return true;
}

bool runConversion(const ConversionOptions& o)
{
    std::FILE* input = std::fopen(o.inputPath.c_str(), "rb");
    if (!input) {
        errorbox(formatMessage("ファイル %s が読み込めません", o.inputPath.c_str()));
        return false;
    }
    std::fclose(input);
    if (o.outputPath.size() < 5 || o.outputPath.size() > 260) {
        errorbox(formatMessage("出力ファイルを指定してください"));
        return false;
    }
    return convertDxf(o);
}

std::string defaultOutputName(const std::string& inputPath)
{
    size_t nameStart = inputPath.find_last_of("/\\");
    nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
    size_t dot = inputPath.find('.', nameStart);
    return inputPath.substr(0, dot) + ".MD4";
}

} // namespace quillo
