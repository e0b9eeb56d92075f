#pragma once
// A folder of its own for one test, removed afterwards; ctest runs tests as
// parallel processes, so the folder name carries the process id and test name.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "core/console.h"
#include "core/text.h"

class cTempDir {
 public:
  explicit cTempDir(const std::string& prefix) {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info != nullptr ? std::string(info->test_suite_name()) + "_" + info->name() : "none";
    for (char& c : name)
      if (c == '/') c = '_';
    path_ = std::filesystem::temp_directory_path() / (prefix + "_" + std::to_string(::getpid()) + "_" + name);
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~cTempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  cTempDir(const cTempDir&) = delete;
  cTempDir& operator=(const cTempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path File(const std::string& name) const { return path_ / name; }
  std::wstring WidePath(const std::string& name) const { return Utf8ToWide(File(name).string()); }

  // Writes the bytes to a file of the folder (sub-folders are made) and returns its path.
  std::filesystem::path Write(const std::string& name, const std::string& bytes) const {
    std::filesystem::path p = File(name);
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return p;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(File(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

 private:
  std::filesystem::path path_;
};

// A fixture around one file in a folder of its own; log capture is undone
// after each test.
class cOneFileTest : public ::testing::Test {
 protected:
  cOneFileTest(std::string prefix, std::string fileName) : prefix_(std::move(prefix)), fileName_(std::move(fileName)) {}
  void SetUp() override {
    tmp_ = std::make_unique<cTempDir>(prefix_);
    dir_ = tmp_->Path();
    path_ = dir_ / fileName_;
  }
  void TearDown() override {
    gConsole.SetListener(nullptr);
    tmp_.reset();
  }

  std::wstring Path() const { return Utf8ToWide(path_.string()); }
  void Write(const std::string& bytes) const { tmp_->Write(fileName_, bytes); }
  std::string ReadBack() const { return tmp_->Read(fileName_); }

  std::unique_ptr<cTempDir> tmp_;
  std::filesystem::path dir_;
  std::filesystem::path path_;

 private:
  std::string prefix_;
  std::string fileName_;
};
