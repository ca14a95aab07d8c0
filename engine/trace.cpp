#include "engine/trace.h"

#include "platform/os.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace {

std::FILE* traceFile = nullptr;
std::string tracePath;
std::uint64_t byteLimit = TraceByteLimit;
std::uint64_t bytesWritten = 0;
bool traceCut = false;

// A full or failing disk: said once where a player can see it, and the trace stops rather than end mid-line.
void StopOnWriteError(int written)
{
    if (written >= 0 && std::ferror(traceFile) == 0) {
        return;
    }
    std::fprintf(stderr, "Trace: cannot write %s (%s); the trace stops here\n", tracePath.c_str(),
                 std::strerror(errno));
    traceCut = true;
}

} // namespace

void TraceInit()
{
    TraceClose();
    std::string documents = OsDocumentsFolder();
    std::string folder = documents + "/Tessaro/Brimvale/";
    OsCreateDirectory(documents);
    OsCreateDirectory(documents + "/Tessaro");
    OsCreateDirectory(folder);
    tracePath = folder + "Trace.log";
    bytesWritten = 0;
    traceCut = false;
    // A FIFO in the log's place would block the game in fopen until something reads it.
    struct stat info;
    bool usable = stat(tracePath.c_str(), &info) != 0 || !S_ISFIFO(info.st_mode);
    traceFile = usable ? std::fopen(tracePath.c_str(), "w") : nullptr;
    if (traceFile == nullptr) {
        DebugPrint("Error opening file: %s\n", "Trace.log");
    }
}

void Trace(const char* format, ...)
{
    if (traceFile == nullptr || traceCut) {
        return;
    }
    char line[1024];
    va_list arguments;
    va_start(arguments, format);
    int length = std::vsnprintf(line, sizeof line, format, arguments);
    va_end(arguments);
    if (length < 0) {
        return;
    }
    std::uint64_t size = static_cast<std::uint64_t>(length) + 1;
    if (bytesWritten + size > byteLimit) {
        // A long session would otherwise fill the disk: keep the first part and say where it stops.
        std::fprintf(traceFile, "Trace: cut here after %llu bytes; later lines are not written\n",
                     static_cast<unsigned long long>(bytesWritten));
        std::fflush(traceFile);
        traceCut = true;
        return;
    }
    int written = 0;
    if (static_cast<size_t>(length) >= sizeof line) {
        // Longer than the buffer: format again at full length.
        va_start(arguments, format);
        written = std::vfprintf(traceFile, format, arguments);
        va_end(arguments);
    } else {
        written = std::fputs(line, traceFile);
    }
    if (written >= 0) {
        written = std::fputc('\n', traceFile);
    }
    StopOnWriteError(written);
    bytesWritten += size;
}

namespace {

ConsoleSink consoleSink = nullptr;
void* consoleSinkUser = nullptr;

} // namespace

void SetConsoleSink(ConsoleSink sink, void* user)
{
    consoleSink = sink;
    consoleSinkUser = user;
}

int DebugPrint(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    int result;
    if (consoleSink != nullptr) {
        char stack[512];
        va_list again;
        va_copy(again, arguments);
        result = std::vsnprintf(stack, sizeof stack, format, arguments);
        if (result >= 0 && static_cast<size_t>(result) < sizeof stack) {
            consoleSink(stack, consoleSinkUser);
        } else if (result >= 0) {
            std::string text(static_cast<size_t>(result), '\0');
            std::vsnprintf(text.data(), text.size() + 1, format, again);
            consoleSink(text.c_str(), consoleSinkUser);
        }
        va_end(again);
    } else {
        result = std::vprintf(format, arguments);
    }
    va_end(arguments);
    return result;
}

void TraceClose()
{
    if (traceFile != nullptr) {
        // The last buffered lines are written here: a failure now is the same lost trace.
        int flushed = traceCut ? 0 : std::fflush(traceFile);
        if (flushed != 0) {
            StopOnWriteError(-1);
        }
        std::fclose(traceFile);
        traceFile = nullptr;
    }
}

std::string TracePath()
{
    return tracePath;
}

void TraceSetByteLimit(std::uint64_t bytes)
{
    byteLimit = bytes;
}

bool TraceIsOpen()
{
    return traceFile != nullptr;
}
