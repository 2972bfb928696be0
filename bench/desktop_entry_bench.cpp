// desktop_entry_bench [benchmark flags]: reading 1,000 and 10,000 desktop
// entries of about 4 KB (written to a temporary directory first), three ways
// in one run: only reading the files, our reader, and GLib's
// g_desktop_app_info_new_from_filename with its should-show test and name.
// Compare the CPU times.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <gio/gdesktopappinfo.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "desktop/linux/desktop_entry_reader.h"
#include "desktop_entry_files.h"

namespace wendaro {
namespace {

struct EntryDirectory {
  std::string path;
  std::vector<std::string> names;
};

EntryDirectory makeEntries(const std::string& root, std::size_t count) {
  EntryDirectory entries{root + "/" + std::to_string(count), {}};
  std::filesystem::create_directories(entries.path);
  bench::writeDesktopEntries(entries.path, count);
  for (std::size_t n = 0; n < count; ++n) entries.names.push_back("app-" + std::to_string(n) + ".desktop");
  return entries;
}

void readFilesOnly(benchmark::State& state, const EntryDirectory& entries) {
  std::vector<char> buffer(64 * 1024);
  for (auto _ : state) {
    const int directory = ::open(entries.path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    std::size_t bytes = 0;
    for (const std::string& name : entries.names) {
      const int fd = ::openat(directory, name.c_str(), O_RDONLY | O_CLOEXEC);
      ssize_t got;
      while ((got = ::read(fd, buffer.data(), buffer.size())) > 0) bytes += static_cast<std::size_t>(got);
      ::close(fd);
    }
    ::close(directory);
    benchmark::DoNotOptimize(bytes);
  }
}

void ourReader(benchmark::State& state, const EntryDirectory& entries) {
  for (auto _ : state) {
    const DesktopEntryContext context = DesktopEntryContext::fromEnvironment();
    const int directory = ::open(entries.path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    std::size_t shown = 0;
    for (const std::string& name : entries.names) {
      shown += readDesktopEntry(directory, name, context).verdict == DesktopEntryVerdict::Shown;
    }
    ::close(directory);
    state.counters["shown"] = static_cast<double>(shown);
  }
}

void glibPerFile(benchmark::State& state, const EntryDirectory& entries) {
  for (auto _ : state) {
    std::size_t shown = 0;
    for (const std::string& name : entries.names) {
      GDesktopAppInfo* info = g_desktop_app_info_new_from_filename((entries.path + "/" + name).c_str());
      if (!info) continue;
      if (!g_desktop_app_info_get_is_hidden(info) && g_app_info_should_show(G_APP_INFO(info))) {
        benchmark::DoNotOptimize(g_app_info_get_name(G_APP_INFO(info)));
        ++shown;
      }
      g_object_unref(info);
    }
    state.counters["shown"] = static_cast<double>(shown);
  }
}

}  // namespace
}  // namespace wendaro

int main(int argc, char* argv[]) {
  using namespace wendaro;
  benchmark::Initialize(&argc, argv);
  std::string pattern = (std::filesystem::temp_directory_path() / "wendaro-entries-XXXXXX").string();
  const std::string root = ::mkdtemp(pattern.data());
  std::vector<EntryDirectory> sets;
  for (std::size_t count : {1000, 10000}) sets.push_back(makeEntries(root, count));
  for (const EntryDirectory& entries : sets) {
    const std::string size = std::to_string(entries.names.size());
    benchmark::RegisterBenchmark(("read files only/" + size).c_str(), readFilesOnly, entries)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("our reader/" + size).c_str(), ourReader, entries)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("GLib per file/" + size).c_str(), glibPerFile, entries)->Unit(benchmark::kMillisecond);
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(root);
  return 0;
}
