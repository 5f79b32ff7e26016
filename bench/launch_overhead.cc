// What the launcher adds to the process start it exists for. Each round starts
// the launcher (which starts a do-nothing "java" and waits for it) and, right
// beside it, the same do-nothing program directly with the same arguments; the
// ratio of the medians is the launcher's cost in process starts: 2 is the floor
// for any launcher (its own start and the child's), and the log's flush to disk
// is the one piece of work on top.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

double RunSeconds(const std::string& program, const std::vector<std::string>& arguments,
                  const fs::path& folder) {
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  const auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  if (posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
    std::perror("posix_spawn");
    std::exit(1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  const auto end = std::chrono::steady_clock::now();
  posix_spawn_file_actions_destroy(&actions);
  return std::chrono::duration<double>(end - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <launcher> [rounds]\n", argv[0]);
    return 2;
  }
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 200;
  const fs::path folder = fs::temp_directory_path() / ("install-bench-" + std::to_string(getpid()));
  fs::create_directories(folder / "java" / "jre" / "bin");
  const fs::path launcher = folder / "install";
  fs::copy_file(argv[1], launcher, fs::copy_options::overwrite_existing);
  const fs::path nothing = folder / "java" / "jre" / "bin" / "java";
  fs::copy_file("/bin/true", nothing, fs::copy_options::overwrite_existing);

  const std::vector<std::string> launcherArguments{
      "-is:log", "bench.log", "-silent", "-is:tempdir", "a temp", "forwarded", "an argument"};
  const std::vector<std::string> javaArguments{
      "-Xms256m", "-Xmx512m", "-Djava.io.tmpdir=a temp", "-cp", "setup.jar", "run",
      "forwarded", "an argument", "-silent"};

  std::vector<double> viaLauncher, direct;
  for (int i = 0; i < rounds; ++i) {
    viaLauncher.push_back(RunSeconds(launcher, launcherArguments, folder));
    direct.push_back(RunSeconds(nothing, javaArguments, folder));
  }
  fs::remove_all(folder);

  const double ours = Median(viaLauncher);
  const double yardstick = Median(direct);
  std::printf("launcher + java: %.1f us   java alone: %.1f us   ratio: %.2f  (%d rounds)\n",
              ours * 1e6, yardstick * 1e6, ours / yardstick, rounds);
  return 0;
}
