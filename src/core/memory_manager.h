#pragma once
// The allocation tracker behind the program's global delete: a hash table of
// registered allocations against which every freed pointer is checked, with
// an in-memory report of the frees it finds wrong. Nothing in the game
// registers allocations, so every delete ends as a plain free; the table and
// its checks serve code that does register. It takes no lock: registering
// code serialises itself. It allocates only from the C heap.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class XMEMORY_MANAGER {
 public:
  static constexpr uint32_t kBuckets = 2048;

  XMEMORY_MANAGER();
  ~XMEMORY_MANAGER();
  XMEMORY_MANAGER(const XMEMORY_MANAGER&) = delete;
  XMEMORY_MANAGER& operator=(const XMEMORY_MANAGER&) = delete;

  // Checks and frees p (taken from the C heap).
  void Deallocate(void* p, bool array);
  // Records an allocation, and names the source of the next delete.
  bool Register(void* p, uint32_t size, bool array, const char* file, int line);
  void SetCurrentLocation(const char* file, int line);
  // Frees the table and the report; afterwards every delete is a plain free.
  void Shutdown();

  bool Enabled() const { return enabled_ != 0; }
  int RecordCount() const { return recordCount_; }
  int RegisteredBytes() const { return registeredBytes_; }
  // The report's lines, in order.
  std::vector<std::string> ReportLines() const;
  static uint32_t BucketOf(uintptr_t p);

 private:
  struct sRecord {
    uintptr_t pointer;
    uint32_t size;
    uint32_t isArray;
    const char* file;
    int32_t line;
    sRecord* next;
  };
  struct sLine {
    char* text;
    sLine* next;
  };
  sRecord* Find(uintptr_t p) const;
  void Remove(uintptr_t p);
  void AddReportLine(const char* format, ...) __attribute__((format(printf, 2, 3)));

  sRecord** buckets_ = nullptr;
  uint8_t enabled_ = 0;
  uint8_t reportClosed_ = 0;
  int32_t indent_ = 0;
  sLine* reportHead_ = nullptr;
  sLine* reportTail_ = nullptr;
  const char* currentFile_ = nullptr;
  int32_t currentLine_ = 0;
  int32_t recordCount_ = 0;
  int32_t registeredBytes_ = 0;
};

// The process-wide tracker behind operator delete; built before the other
// static objects, shut down at exit.
XMEMORY_MANAGER& MemoryManager();
