// A drive that is slow to answer, for the end-to-end tests: a FUSE filesystem with an empty
// root whose disk-space query (statfs) is held, from the first time a program asks, for a
// given number of seconds, as a sleeping disk or a lost network server holds it; afterwards it
// answers at once. Everything else (looking up the root, listing it) answers at once.
//
// Wine's server makes a statfs of its own on every file it opens (to learn whether the file
// system is a removable one), on behalf of every process of the session; held, it would freeze
// the whole session, which no program can help and Windows has no counterpart of. The server
// is answered at once: only the programs' own disk-space and volume queries are held.
//
//   slow_drive <hold seconds> <lifetime seconds> <log file> <mount point>
//
// Writes "asked <pid> <comm>" and "answered <pid>" lines to the log for each held statfs and
// "server <pid>" for each of Wine's server. Runs in
// the foreground; SIGTERM or the end of its lifetime unmounts and ends it, and the mount goes
// with it even when it is killed outright (auto_unmount), so that a test that dies leaves no
// hanging mount behind.
#define FUSE_USE_VERSION 31
#include <errno.h>
#include <fuse.h>
#include <pthread.h>
#include <signal.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

static const unsigned long long kBlock = 4096;
static const unsigned long long kTotalBytes = 100ull << 30;  // 100 GiB, a quarter of it free
static const unsigned long long kFreeBytes = 25ull << 30;

static double hold_seconds;
static unsigned lifetime_seconds;
static FILE* log_file;
static pthread_mutex_t lock = PTHREAD_MUTEX_INITIALIZER;
static int held;  // the hold has begun
static struct timespec release_at;

static void log_line(const char* format, ...) __attribute__((format(printf, 1, 2)));
static void log_line(const char* format, ...) {
  va_list args;
  va_start(args, format);
  pthread_mutex_lock(&lock);
  vfprintf(log_file, format, args);
  fflush(log_file);
  pthread_mutex_unlock(&lock);
  va_end(args);
}

static void command_of(pid_t pid, char* name, size_t size) {
  char path[64];
  snprintf(path, sizeof path, "/proc/%d/comm", (int)pid);
  FILE* f = fopen(path, "r");
  name[0] = '\0';
  if (f != NULL) {
    if (fgets(name, (int)size, f) == NULL) name[0] = '\0';
    fclose(f);
  }
  name[strcspn(name, "\n ")] = '\0';
  if (name[0] == '\0') snprintf(name, size, "?");
}

static void* watchdog(void* unused) {
  (void)unused;
  sleep(lifetime_seconds);
  kill(getpid(), SIGTERM);  // libfuse's handler ends the loop and unmounts
  return NULL;
}

static void* slow_init(struct fuse_conn_info* conn, struct fuse_config* config) {
  (void)conn;
  config->attr_timeout = 0;
  config->entry_timeout = 0;
  pthread_t thread;
  if (pthread_create(&thread, NULL, watchdog, NULL) == 0) pthread_detach(thread);
  log_line("mounted\n");
  return NULL;
}

static int slow_getattr(const char* path, struct stat* st, struct fuse_file_info* fi) {
  (void)fi;
  if (strcmp(path, "/") != 0) return -ENOENT;
  memset(st, 0, sizeof *st);
  st->st_mode = S_IFDIR | 0755;
  st->st_nlink = 2;
  return 0;
}

static int slow_readdir(const char* path, void* buffer, fuse_fill_dir_t fill, off_t offset, struct fuse_file_info* fi,
                        enum fuse_readdir_flags flags) {
  (void)offset;
  (void)fi;
  (void)flags;
  if (strcmp(path, "/") != 0) return -ENOENT;
  fill(buffer, ".", NULL, 0, 0);
  fill(buffer, "..", NULL, 0, 0);
  return 0;
}

// Waits until the hold that the first call begins has ended.
static void hold(void) {
  pthread_mutex_lock(&lock);
  if (!held) {
    held = 1;
    clock_gettime(CLOCK_MONOTONIC, &release_at);
    release_at.tv_sec += (time_t)hold_seconds;
  }
  const struct timespec until = release_at;
  pthread_mutex_unlock(&lock);
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, NULL) == EINTR) {
  }
}

static int slow_statfs(const char* path, struct statvfs* st) {
  (void)path;
  const pid_t pid = fuse_get_context()->pid;
  char name[32];
  command_of(pid, name, sizeof name);
  const int server = strncmp(name, "wineserver", 10) == 0;
  if (server) {
    log_line("server %d\n", (int)pid);
  } else {
    log_line("asked %d %s\n", (int)pid, name);
    hold();
  }
  memset(st, 0, sizeof *st);
  st->f_bsize = kBlock;
  st->f_frsize = kBlock;
  st->f_blocks = kTotalBytes / kBlock;
  st->f_bfree = kFreeBytes / kBlock;
  st->f_bavail = kFreeBytes / kBlock;
  st->f_namemax = 255;
  if (!server) log_line("answered %d\n", (int)pid);
  return 0;
}

static const struct fuse_operations operations = {
    .getattr = slow_getattr,
    .readdir = slow_readdir,
    .statfs = slow_statfs,
    .init = slow_init,
};

int main(int argc, char** argv) {
  if (argc != 5) {
    fprintf(stderr, "usage: slow_drive <hold seconds> <lifetime seconds> <log file> <mount point>\n");
    return 2;
  }
  hold_seconds = atof(argv[1]);
  lifetime_seconds = (unsigned)atoi(argv[2]);
  log_file = fopen(argv[3], "a");
  if (log_file == NULL) {
    perror(argv[3]);
    return 2;
  }
  char* fuse_argv[] = {argv[0], "-f", "-o", "auto_unmount,fsname=wolumetr-slow-drive", argv[4], NULL};
  return fuse_main(5, fuse_argv, &operations, NULL);
}
