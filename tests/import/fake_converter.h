// A converter whose pictures and recordings are read half-way and then wait
// to be stopped, for the progress box's Stop.
#pragma once

#include <chrono>
#include <thread>

#include "app/import_converter.h"

namespace orvane::test {

class StalledConverter : public ImportConverter {
  public:
    MediaKind Probe(const std::string&, std::string&) override { return MediaKind::Recording; }
    std::unique_ptr<PictureSource> OpenPicture(const std::string&, ProgressSink& progress,
                                               std::string&) override {
        Stall(progress);
        return nullptr;
    }
    ImportOutcome WritePicture(const Picture&, const std::string&, const std::string&) override {
        return ImportOutcome::Failed("not here");
    }
    ImportOutcome ConvertRecording(const std::string&, const std::string&,
                                   ProgressSink& progress) override {
        Stall(progress);
        return ImportOutcome::Failed("Immediate exit requested");
    }

  private:
    static void Stall(ProgressSink& progress) {
        progress.SetProgress(50, 100);
        while (!progress.IsCancelled()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
};

}  // namespace orvane::test
