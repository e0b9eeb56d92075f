#include "core/memory_manager.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Static storage is zero before any constructor runs: a delete during the
// static initialisation of an earlier object finds the tracker disabled and
// frees plainly.
__attribute__((init_priority(101))) XMEMORY_MANAGER gTracker;

}  // namespace

XMEMORY_MANAGER& MemoryManager() { return gTracker; }

XMEMORY_MANAGER::XMEMORY_MANAGER() {
  buckets_ = static_cast<sRecord**>(std::calloc(kBuckets, sizeof(sRecord*)));
  if (buckets_ == nullptr) return;
  AddReportLine("XMEMORY_MANAGER Report -------------------------------------------\n\n");
  enabled_ = 1;
  if (this == &gTracker) std::atexit([] { gTracker.Shutdown(); });
}

XMEMORY_MANAGER::~XMEMORY_MANAGER() {
  // The process-wide tracker stays usable for the deletes of later static
  // destructors; its table is freed by the exit handler.
  if (this != &gTracker) Shutdown();
}

uint32_t XMEMORY_MANAGER::BucketOf(uintptr_t p) {
  const uint32_t v = static_cast<uint32_t>(p);
  return ((v & 255u) * 0x50000u - v) % kBuckets;
}

XMEMORY_MANAGER::sRecord* XMEMORY_MANAGER::Find(uintptr_t p) const {
  if (buckets_ == nullptr) return nullptr;
  for (sRecord* r = buckets_[BucketOf(p)]; r != nullptr; r = r->next)
    if (r->pointer == p) return r;
  return nullptr;
}

void XMEMORY_MANAGER::Remove(uintptr_t p) {
  if (buckets_ == nullptr) return;
  sRecord** link = &buckets_[BucketOf(p)];
  while (*link != nullptr && (*link)->pointer != p) link = &(*link)->next;
  if (*link == nullptr) return;
  sRecord* r = *link;
  *link = r->next;
  std::free(r);
}

void XMEMORY_MANAGER::AddReportLine(const char* format, ...) {
  if (reportClosed_ != 0) return;
  char scratch[1024];
  va_list args;
  va_start(args, format);
  const int n = std::vsnprintf(scratch, sizeof scratch, format, args);
  va_end(args);
  if (n < 0) return;
  const size_t len = std::strlen(scratch);
  auto* line = static_cast<sLine*>(std::malloc(sizeof(sLine)));
  char* text = static_cast<char*>(std::malloc(static_cast<size_t>(indent_) + len + 1));
  if (line == nullptr || text == nullptr) {
    std::free(line);
    std::free(text);
    return;
  }
  std::memset(text, '\t', static_cast<size_t>(indent_));
  std::memcpy(text + indent_, scratch, len + 1);
  line->text = text;
  line->next = nullptr;
  if (reportTail_ != nullptr)
    reportTail_->next = line;
  else
    reportHead_ = line;
  reportTail_ = line;
}

bool XMEMORY_MANAGER::Register(void* p, uint32_t size, bool array, const char* file, int line) {
  if (enabled_ == 0 || p == nullptr || Find(reinterpret_cast<uintptr_t>(p)) != nullptr) return false;
  auto* r = static_cast<sRecord*>(std::malloc(sizeof(sRecord)));
  if (r == nullptr) return false;
  const uintptr_t key = reinterpret_cast<uintptr_t>(p);
  *r = sRecord{key, size, array ? 1u : 0u, file, line, buckets_[BucketOf(key)]};
  buckets_[BucketOf(key)] = r;
  ++recordCount_;
  registeredBytes_ += static_cast<int32_t>(size);
  return true;
}

void XMEMORY_MANAGER::SetCurrentLocation(const char* file, int line) {
  currentFile_ = file;
  currentLine_ = line;
}

void XMEMORY_MANAGER::Deallocate(void* p, bool array) {
  if (enabled_ == 0) {
    std::free(p);
    currentLine_ = 0;
    return;
  }
  const char* file = currentFile_ != nullptr ? currentFile_ : "";
  if (p == nullptr) {
    if (currentLine_ != 0)
      AddReportLine(
          "ERROR\n{\n\tAction: Deallocating memory\n\tInformation: Trying to free NULL pointer\n\tDeallocation\n\t{\n"
          "\t\tFile: %s\n\t\tLine: %d\n\t}\n}\n",
          file, currentLine_);
    currentLine_ = 0;
    return;
  }
  const uintptr_t key = reinterpret_cast<uintptr_t>(p);
  sRecord* r = Find(key);
  std::free(p);
  if (r == nullptr) {
    if (currentLine_ != 0)
      AddReportLine(
          "WARNING\n{\n\tAction: Deallocating memory\n\tInformation: Memory allocation was not registered\n"
          "\tDeallocation\n\t{\n\t\tFile: %s\n\t\tLine: %d\n\t}\n\tPointer: %08lx\n}\n",
          file, currentLine_, static_cast<unsigned long>(key));
    currentLine_ = 0;
    return;
  }
  if ((r->isArray != 0) != array) {
    AddReportLine(
        "WARNING\n{\n\tAction: deallocating memory\n\tInformation: %s\n\tAllocation\n\t{\n\t\tFile: %s\n"
        "\t\tLine: %d\n\t}\n\tDeallocation\n\t{\n\t\tFile: %s\n\t\tLine: %d\n\t}\n\tPointer: %08lx\n\tSize:%d\n}\n",
        r->isArray != 0 ? "Memory was allocated by new[] and is deallocated by delete"
                        : "Memory was allocated by new and is deallocated by delete[]",
        r->file != nullptr ? r->file : "", r->line, file, currentLine_, static_cast<unsigned long>(key),
        static_cast<int>(r->size));
  }
  --recordCount_;
  registeredBytes_ -= static_cast<int32_t>(r->size);
  Remove(key);
  currentLine_ = 0;
}

void XMEMORY_MANAGER::Shutdown() {
  enabled_ = 0;
  if (buckets_ != nullptr) {
    for (uint32_t b = 0; b < kBuckets; ++b) {
      for (sRecord* r = buckets_[b]; r != nullptr;) {
        sRecord* next = r->next;
        std::free(r);
        r = next;
      }
    }
    std::free(buckets_);
    buckets_ = nullptr;
  }
  for (sLine* l = reportHead_; l != nullptr;) {
    sLine* next = l->next;
    std::free(l->text);
    std::free(l);
    l = next;
  }
  reportHead_ = reportTail_ = nullptr;
  recordCount_ = 0;
  registeredBytes_ = 0;
}

std::vector<std::string> XMEMORY_MANAGER::ReportLines() const {
  std::vector<std::string> out;
  for (const sLine* l = reportHead_; l != nullptr; l = l->next) out.emplace_back(l->text);
  return out;
}
