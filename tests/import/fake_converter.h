// A converter whose recordings run half-way, wait to be stopped and then say
// what FFmpeg says when interrupted, for the progress box's Stop.
#pragma once

#include <chrono>
#include <thread>

#include "app/import_converter.h"

namespace orvane::test {

class StalledConverter : public ImportConverter {
  public:
    MediaKind Probe(const std::string&, std::string&) override { return MediaKind::Recording; }
    std::unique_ptr<PictureSource> OpenPicture(const std::string&, std::string&) override {
        return nullptr;
    }
    ImportOutcome WritePicture(const Picture&, const std::string&, const std::string&) override {
        return ImportOutcome::Failed("not here");
    }
    ImportOutcome ConvertRecording(const std::string&, const std::string&,
                                   ProgressSink& progress) override {
        progress.SetMessage("Converting the recording");
        progress.SetProgress(50, 100);
        while (!progress.IsCancelled()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
        return ImportOutcome::Failed("Immediate exit requested");
    }
};

}  // namespace orvane::test
