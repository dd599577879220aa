// The link label on a plain frame: fonts, colours, cursor and clicks.
#include "about/link_label.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/settings.h>

#include <memory>

#include "about_test_support.h"
#include "res/layouts.h"
#include "res/resources.h"

namespace orvane {
namespace {

TEST(LinkTarget, MailtoOnlyForTheExactAddress) {
    EXPECT_EQ(LinkTargetFor("orvane@example.org"), "mailto:orvane@example.org");
    EXPECT_EQ(LinkTargetFor("Orvane@Example.org"), "Orvane@Example.org");
    EXPECT_EQ(LinkTargetFor(" orvane@example.org"), " orvane@example.org");
    EXPECT_EQ(LinkTargetFor("orvane@example.org "), "orvane@example.org ");
    EXPECT_EQ(LinkTargetFor("https://orvane.example.org/"), "https://orvane.example.org/");
    EXPECT_EQ(LinkTargetFor(""), "");
}

class LinkLabelTest : public testing::Test {
  protected:
    void SetUp() override {
        frame = new wxFrame(nullptr, wxID_ANY, "labels", wxPoint(20, 20), wxSize(400, 200));
        frame->Show();
    }
    void TearDown() override { frame->Destroy(); }

    // A label attached to a window on the frame, at (30, 40).
    CLinkLabel& Attached(const std::string& caption) {
        auto* label = new CLinkLabel;
        label->Create(frame, wxID_ANY, wxString::FromUTF8(caption), wxPoint(30, 40),
                      wxSize(200, 20));
        return *label;
    }

    void Click(CLinkLabel& label) {
        wxMouseEvent down(wxEVT_LEFT_DOWN);
        down.SetPosition(wxPoint(5, 5));
        down.SetEventObject(&label);
        label.GetEventHandler()->ProcessEvent(down);
    }

    wxFrame* frame = nullptr;
    test::FakeDesktop desktop;
};

TEST_F(LinkLabelTest, ConstructionCopiesSystemColoursAndTheDefaultGuiFont) {
    CLinkLabel label;  // no window
    EXPECT_EQ(label.TextColor(), wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT));
    EXPECT_EQ(label.FontDescription(), DefaultGuiFontSpec());
    EXPECT_EQ(label.LabelFont(), FontFromSpec(label.FontDescription()));
    EXPECT_FALSE(label.HoverCursor().IsOk());
    // Setters before the window exists change the fields and touch nothing else.
    label.SetBold(true).SetUnderline(true).SetColor(*wxBLUE).SetNotify(true);
    EXPECT_EQ(label.FontDescription().weight, 700);
    EXPECT_EQ(label.TextColor(), *wxBLUE);
}

TEST_F(LinkLabelTest, BoldAndUnderlineChangeOnlyTheirMember) {
    CLinkLabel& label = Attached("Orvane Version 0.1 Beta");
    const FontSpec before = label.FontDescription();

    EXPECT_EQ(&label.SetBold(true), &label);
    EXPECT_EQ(label.FontDescription().weight, 700);
    EXPECT_EQ(label.LabelFont().GetNumericWeight(), 700);
    label.SetBold(false);
    EXPECT_EQ(label.FontDescription().weight, 400);
    EXPECT_EQ(label.LabelFont().GetNumericWeight(), 400);

    EXPECT_EQ(&label.SetUnderline(true), &label);
    EXPECT_EQ(label.FontDescription().underline, 1);
    EXPECT_TRUE(label.LabelFont().GetUnderlined());

    FontSpec expected = before;
    expected.weight = 400;
    expected.underline = 1;
    EXPECT_EQ(label.FontDescription(), expected);  // face, size, character set kept
    EXPECT_EQ(label.LabelFont().GetFractionalPointSize(), before.pointSize);
    EXPECT_EQ(label.LabelFont().GetFaceName().utf8_string(), before.faceName);
    EXPECT_EQ(label.GetFont(), label.LabelFont());
}

TEST_F(LinkLabelTest, NoClickReachesALabelBeforeSetNotify) {
    CLinkLabel& label = Attached(std::string(kAuthorEmail));
    wxPoint seenByFrame(-1, -1);
    frame->Bind(wxEVT_LEFT_DOWN, [&](wxMouseEvent& e) { seenByFrame = e.GetPosition(); });

    Click(label);
    EXPECT_TRUE(desktop.opened.empty());
    EXPECT_EQ(seenByFrame, wxPoint(35, 45));  // the frame saw it at its own coordinates
    EXPECT_FALSE(label.GetCursor().IsOk());   // the frame's cursor shows through

    label.SetNotify(true);
    seenByFrame = wxPoint(-1, -1);
    Click(label);
    ASSERT_EQ(desktop.opened.size(), 1u);
    EXPECT_EQ(desktop.opened[0], "mailto:orvane@example.org");
    EXPECT_EQ(seenByFrame, wxPoint(-1, -1));
    EXPECT_EQ(label.GetLabel(),
              wxString::FromUTF8(std::string(kAuthorEmail)));  // caption unchanged

    label.SetNotify(false);
    Click(label);
    EXPECT_EQ(desktop.opened.size(), 1u);
}

TEST_F(LinkLabelTest, OtherCaptionsOpenUnchanged) {
    CLinkLabel& website = Attached(std::string(kWebsiteAddress));
    CLinkLabel& upper = Attached("ORVANE@EXAMPLE.ORG");
    website.SetNotify(true);
    upper.SetNotify(true);
    Click(website);
    Click(upper);
    EXPECT_EQ(desktop.opened,
              (std::vector<std::string>{"https://orvane.example.org/", "ORVANE@EXAMPLE.ORG"}));
}

TEST_F(LinkLabelTest, HoverCursorOnlyOnceClickable) {
    CLinkLabel& label = Attached(std::string(kWebsiteAddress));
    const wxCursor hand = LinkCursor();
    label.SetHoverCursor(hand);
    EXPECT_FALSE(label.GetCursor().IsOk());
    label.SetNotify(true);
    EXPECT_TRUE(label.GetCursor().IsSameAs(hand));

    // Clickable without a cursor of its own: the arrow, and clicks still open.
    CLinkLabel& plain = Attached("https://plain.example.org/");
    plain.SetNotify(true);
    EXPECT_TRUE(plain.GetCursor().IsOk());
    EXPECT_FALSE(plain.GetCursor().IsSameAs(hand));
    Click(plain);
    EXPECT_EQ(desktop.opened, (std::vector<std::string>{"https://plain.example.org/"}));
}

}  // namespace
}  // namespace orvane
