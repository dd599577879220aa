#include "export/zip_bundle.h"

#include <fcntl.h>
#include <unistd.h>
#include <zip.h>

#include <cerrno>
#include <cstring>

namespace orvane {
namespace {

constexpr int kProgressSteps = 1000;

int IsCancelled(zip_t*, void* sink) {
    return static_cast<ProgressSink*>(sink)->IsCancelled() ? 1 : 0;
}

void OnProgress(zip_t*, double fraction, void* sink) {
    static_cast<ProgressSink*>(sink)->SetProgress(
        static_cast<std::uint64_t>(fraction * kProgressSteps), kProgressSteps);
}

ZipOutcome Failed(std::string message) {
    return {{true, std::move(message)}, false};
}

ZipOutcome ArchiveFailure(zip_t* za) {
    zip_error_t* error = zip_get_error(za);
    ZipOutcome outcome = Failed(zip_error_strerror(error));
    outcome.stopped = zip_error_code_zip(error) == ZIP_ER_CANCELLED;
    zip_discard(za);  // removes libzip's temporary file
    return outcome;
}

OutputError SyncFile(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {true, std::strerror(errno)};
    const bool synced = fsync(fd) == 0;
    const int error = errno;
    close(fd);
    if (!synced) return {true, std::strerror(error)};
    return {};
}

}  // namespace

ZipOutcome WriteZip(const std::string& path, const std::vector<ZipMember>& members,
                    ProgressSink& progress) {
    int code = 0;
    zip_t* za = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (za == nullptr) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        ZipOutcome outcome = Failed(zip_error_strerror(&error));
        zip_error_fini(&error);
        return outcome;
    }
    for (const ZipMember& member : members) {
        zip_source_t* source = zip_source_file(za, member.source.c_str(), 0, -1);
        if (source == nullptr) return ArchiveFailure(za);
        const zip_int64_t index =
            zip_file_add(za, member.name.c_str(), source, ZIP_FL_ENC_GUESS | ZIP_FL_OVERWRITE);
        if (index < 0) {
            zip_source_free(source);
            return ArchiveFailure(za);
        }
        const zip_uint64_t at = static_cast<zip_uint64_t>(index);
        if (zip_set_file_compression(za, at, member.compress ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 0) !=
            0)
            return ArchiveFailure(za);
    }
    zip_register_cancel_callback_with_state(za, &IsCancelled, nullptr, &progress);
    zip_register_progress_callback_with_state(za, 1.0 / kProgressSteps, &OnProgress, nullptr,
                                              &progress);
    if (zip_close(za) != 0) return ArchiveFailure(za);
    return {SyncFile(path), false};
}

}  // namespace orvane
