// Pictures the programs write go through the atomic save: a failed write
// leaves the older file whole and nothing half-written beside it.
#include <QImage>
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "model/atomic_file.h"
#include "platform/qt_png_encoder.h"
#include "../support/temp_dir.h"

namespace quillo {
namespace {

class FailingRename : public FileSystemCalls {
public:
    int rename(const char*, const char*) override
    {
        errno = EIO;
        return -1;
    }
};

TEST(SavePng, WritesWholePicturesOrLeavesTheOldFile)
{
    test::TempDir dir;
    const std::string path = dir / "picture.png";
    QImage red(4, 3, QImage::Format_RGB32), blue(5, 2, QImage::Format_RGB32);
    red.fill(qRgb(255, 0, 0));
    blue.fill(qRgb(0, 0, 255));
    ASSERT_TRUE(savePng(red, path));
    EXPECT_EQ(QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32), red);

    FailingRename failing;
    FileSystemCalls* previous = setFileSystemCalls(&failing);
    const bool saved = savePng(blue, path);
    setFileSystemCalls(previous);
    EXPECT_FALSE(saved);
    EXPECT_EQ(QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32), red);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.str()), {}), 1); // no temporary file left

    EXPECT_FALSE(savePng(QImage(), dir / "empty.png"));
    EXPECT_FALSE(savePng(red, dir / "missing/picture.png"));
    EXPECT_FALSE(std::filesystem::exists(dir / "empty.png"));
}

} // namespace
} // namespace quillo
