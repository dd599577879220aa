// The dialog's state around a FileSelection that talks to a fake window.
#pragma once

#include <gtest/gtest.h>

#include "app/fake_effects.h"
#include "app/file_selection.h"
#include "support/fixtures.h"

namespace orvane::test {

class SelectionFixture : public testing::Test {
  protected:
    SelectionFixture() { InitPicture(picture); }

    TempDir dir;
    JobState state;
    Picture picture;
    DialogModel model{state, picture};
    FakeEffects effects;
    FileSelection selection{model, effects};
};

}  // namespace orvane::test
