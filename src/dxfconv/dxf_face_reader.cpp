#include "dxf_face_reader.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "dxf_pair_reader.h"

namespace quillo {

namespace {

constexpr int defaultColour = 7;
constexpr int byLayer = 256;

// A colour number outside the usable range (negative means a layer that is
// switched off, which does not apply to a face) is shown in colour 7.
int usableColour(int colour) { return colour >= 0 && colour <= 255 ? colour : defaultColour; }

class FaceCollector {
public:
    FaceCollector(Records<DxfFace>& faces) : faces_(faces) {}

    bool read(std::FILE* file, DxfReadError& error);

private:
    enum class Entity { other, face, layer };

    void begin(std::string_view name);
    void finish();
    bool takeFacePair(int code, std::string_view value);
    int layerId(std::string_view name);
    void resolveLayerColours();

    Records<DxfFace>& faces_;
    Entity entity_ = Entity::other;

    // The face being read.
    DxfFace face_{};
    bool hasCorner4_ = false;
    int colour_ = byLayer;
    std::string layer_;

    // The layer entry being read.
    std::string layerName_;
    int layerColour_ = defaultColour;

    std::unordered_map<std::string, int> layerColours_; // first entry of each name
    std::unordered_map<std::string, int> layerIds_;     // layers named by by-layer faces
    std::vector<std::string> layerNames_;               // by id
    std::string lastLayer_;
    int lastLayerId_ = -1;
    std::vector<std::pair<int, int>> byLayerFaces_; // face index, layer id
    bool outOfMemory_ = false;
};

void FaceCollector::begin(std::string_view name)
{
    if (name == "3DFACE") {
        entity_ = Entity::face;
        face_ = DxfFace{};
        hasCorner4_ = false;
        colour_ = byLayer;
        layer_.clear();
    } else if (name == "LAYER") {
        entity_ = Entity::layer;
        layerName_.clear();
        layerColour_ = defaultColour;
    } else {
        entity_ = Entity::other;
    }
}

int FaceCollector::layerId(std::string_view name)
{
    // Faces come in runs on one layer: skip the hash for a repeat.
    if (lastLayerId_ >= 0 && name == lastLayer_) return lastLayerId_;
    auto [it, added] = layerIds_.try_emplace(std::string(name), int(layerNames_.size()));
    if (added) layerNames_.emplace_back(name);
    lastLayer_ = name;
    lastLayerId_ = it->second;
    return it->second;
}

void FaceCollector::finish()
{
    if (entity_ == Entity::face) {
        if (!hasCorner4_)
            for (int k = 0; k < 3; ++k) face_.corner[3][k] = face_.corner[2][k];
        face_.colour = colour_ == byLayer ? byLayer : usableColour(colour_);
        int index = faces_.append(face_);
        if (index < 0)
            outOfMemory_ = true;
        else if (face_.colour == byLayer)
            byLayerFaces_.emplace_back(index, layerId(layer_));
    } else if (entity_ == Entity::layer) {
        layerColours_.try_emplace(layerName_, layerColour_);
    }
    entity_ = Entity::other;
}

bool FaceCollector::takeFacePair(int code, std::string_view value)
{
    switch (code) {
    case 8:
        layer_.assign(value);
        return true;
    case 62: {
        int c;
        colour_ = parseDxfInt(value, c) ? c : defaultColour;
        return true;
    }
    case 10: case 11: case 12: case 13:
    case 20: case 21: case 22: case 23:
    case 30: case 31: case 32: case 33: {
        int corner = code % 10;
        if (!parseDxfFloat(value, face_.corner[corner][code / 10 - 1])) return false;
        if (corner == 3) hasCorner4_ = true;
        return true;
    }
    default:
        return true;
    }
}

void FaceCollector::resolveLayerColours()
{
    std::vector<int> colourOfId(layerNames_.size(), defaultColour);
    for (size_t id = 0; id < layerNames_.size(); ++id) {
        auto it = layerColours_.find(layerNames_[id]);
        if (it != layerColours_.end()) colourOfId[id] = it->second;
    }
    for (auto [index, id] : byLayerFaces_) faces_[index].colour = colourOfId[size_t(id)];
}

bool FaceCollector::read(std::FILE* file, DxfReadError& error)
{
    DxfPairReader pairs(file);
    while (pairs.next()) {
        int code = pairs.code();
        std::string_view value = pairs.value();
        if (code == 0) {
            finish();
            begin(value);
        } else if (entity_ == Entity::face) {
            if (!takeFacePair(code, value)) {
                error.kind = DxfReadError::number;
                error.line = pairs.line();
                return false;
            }
        } else if (entity_ == Entity::layer) {
            if (code == 2) {
                layerName_.assign(value);
            } else if (code == 62) {
                // A negative number marks a layer that is switched off; its
                // colour is the absolute value.
                int c;
                layerColour_ = parseDxfInt(value, c) && c >= -255 && c <= 255 ? (c < 0 ? -c : c)
                                                                              : defaultColour;
            }
        }
        if (outOfMemory_) break;
    }
    if (!outOfMemory_ && !pairs.failed())
        finish(); // a face cut short by the end of the file counts with what it has
    if (pairs.failed() || outOfMemory_) {
        error.kind = outOfMemory_ ? DxfReadError::memory : DxfReadError::io;
        return false;
    }
    resolveLayerColours();
    return true;
}

} // namespace

bool readDxfFaces(std::FILE* file, Records<DxfFace>& faces, DxfReadError& error)
{
    error = DxfReadError{};
    FaceCollector collector(faces);
    return collector.read(file, error);
}

} // namespace quillo
