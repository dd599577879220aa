#include "app/import_chooser.h"

#include "input/file_chooser.h"

namespace orvane {

namespace {

ImportChooserShower& CurrentShower() {
    static ImportChooserShower shower;
    return shower;
}

}  // namespace

FileChoice ShowImportChooser(wxWindow* owner, const ChooserRequest& request) {
    if (CurrentShower()) return CurrentShower()(owner, request);
    return ShowFileChooser(owner, request.open, request.title, request.filter, request.extension,
                           request.startPath);
}

void SetImportChooserShower(ImportChooserShower shower) {
    CurrentShower() = std::move(shower);
}

}  // namespace orvane
