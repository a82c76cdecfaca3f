#include <gtest/gtest.h>

#include "host/control.h"
#include "resources/resource_ids.h"
#include "utilities/copy_bones.h"
#include "utilities/panel_test_support.h"

namespace pellucid::test {
namespace {

using standalone::HostMessage;

// Two skeletons and a spare bone under the root: SrcRoot (Arm, Leg, Tail selected) and DstRoot
// (Arm, Leg).
const char* kSkeletons = R"({"pellucidScene": 1, "nodes": [
    {"name": "Lamp", "object": {"type": "light"}},
    {"name": "SrcRoot", "object": {"type": "bone"}, "children": [
        {"name": "Arm", "selected": true, "object": {"type": "bone"},
         "transform": {"position": [1, 2, 3], "rotation": {"axisAngle": [0, 0, 1, 90]}},
         "position": {"controller": "bezier", "keys": [
            {"time": 0, "value": [1, 2, 3]}, {"time": 160, "value": [4, 5, 6]}]}},
        {"name": "Leg", "selected": true, "object": {"type": "bone"},
         "transform": {"position": [0, 0, -5]}},
        {"name": "Tail", "selected": true, "object": {"type": "bone"}}]},
    {"name": "DstRoot", "object": {"type": "bone"}, "transform": {"position": [50, 0, 0]},
     "children": [
        {"name": "Arm", "object": {"type": "bone"}, "transform": {"position": [7, 7, 7]}},
        {"name": "Leg", "object": {"type": "bone"}}]},
    {"name": "Spare", "object": {"type": "bone"}}]})";

// Clicks the spinner until the edit shows `label`.
void Pick(standalone::panels::UtilitySession& session, int spinner, int edit,
          const std::string& label) {
    for (int i = 0; i < 8; ++i) {
        session.ClickSpinner(spinner);
        if (session.EditText(edit) == label) {
            return;
        }
    }
    FAIL() << "could not pick " << label;
}

TEST(CopyBones, SpinnerClicksStepThroughTheRootsBonesAndFlashThem) {
    auto host = HostFromJson(kSkeletons);
    auto session = Open(*host, "CopyBones");
    EXPECT_EQ(session->EditText(IDC_SOURCE_EDIT), "");
    // From no bone the press picks the first bone and its next sibling; the release moves on.
    session->ClickSpinner(IDC_SOURCE_SPIN);
    EXPECT_EQ(session->EditText(IDC_SOURCE_EDIT), "Spare");
    session->ClickSpinner(IDC_SOURCE_SPIN, false);
    EXPECT_EQ(session->EditText(IDC_SOURCE_EDIT), "SrcRoot");
    session->ClickSpinner(IDC_SOURCE_SPIN);
    EXPECT_EQ(session->EditText(IDC_SOURCE_EDIT), "DstRoot");
    EXPECT_EQ(host->FlashedNodes(),
              (std::vector<std::string>{"SrcRoot", "DstRoot", "Spare", "DstRoot", "Spare",
                                        "SrcRoot", "Spare", "SrcRoot", "DstRoot"}));
    EXPECT_EQ(session->EditText(IDC_TARGET_EDIT), "");
}

TEST(CopyBones, NamesakeSiblingsAreLabelledWithTheirIndex) {
    auto host = HostFromJson(R"({"pellucidScene": 1, "nodes": [
        {"name": "Lamp", "object": {"type": "light"}}, {"name": "Cam", "object": {"type": "camera"}},
        {"name": "Bip", "object": {"type": "bone"}}, {"name": "Bip", "object": {"type": "bone"}},
        {"name": "Solo", "object": {"type": "bone"}}]})");
    auto session = Open(*host, "CopyBones");
    session->ClickSpinner(IDC_TARGET_SPIN);
    EXPECT_EQ(session->EditText(IDC_TARGET_EDIT), "Solo");
    session->ClickSpinner(IDC_TARGET_SPIN);
    EXPECT_EQ(session->EditText(IDC_TARGET_EDIT), "Bip #2");
    session->ClickSpinner(IDC_TARGET_SPIN, false);
    EXPECT_EQ(session->EditText(IDC_TARGET_EDIT), "Bip #3");
}

TEST(CopyBones, RefusalsAreErrorMessages) {
    auto host = HostFromJson(kSkeletons);
    auto session = Open(*host, "CopyBones");
    session->Press(IDC_COPY_BONES);
    Pick(*session, IDC_SOURCE_SPIN, IDC_SOURCE_EDIT, "Spare");
    session->Press(IDC_COPY_BONES);
    Pick(*session, IDC_TARGET_SPIN, IDC_TARGET_EDIT, "Spare");
    session->Press(IDC_COPY_BONES);
    Pick(*session, IDC_TARGET_SPIN, IDC_TARGET_EDIT, "DstRoot");
    session->Press(IDC_COPY_BONES);
    const std::vector<HostMessage> expected = {{"Error", "No source bone selected."},
                                               {"Error", "No target bone selected."},
                                               {"Error", "Source and target equal."},
                                               {"Error", "No bones selected."}};
    ASSERT_EQ(host->Messages().size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(host->Messages()[i].caption, expected[i].caption);
        EXPECT_EQ(host->Messages()[i].text, expected[i].text);
    }
}

Point3 WorldPosition(standalone::StandaloneHost& host, const char* parent, const char* name) {
    INode* p = host.FindNodeByName(parent);
    for (int i = 0; i < p->NumberOfChildren(); ++i) {
        if (std::string(p->GetChildNode(i)->GetName()) == name) {
            return p->GetChildNode(i)->GetNodeTM(0).GetTrans();
        }
    }
    ADD_FAILURE() << name;
    return {};
}

INode* Child(standalone::StandaloneHost& host, const char* parent, int i) {
    return host.FindNodeByName(parent)->GetChildNode(i);
}

int PositionKeys(INode* node) {
    return GetKeyControlInterface(node->GetTMController()->GetPositionController())->GetNumKeys();
}

TEST(CopyBones, SelectedBonesAreCopiedByNameAndTheRestSkipped) {
    auto host = HostFromJson(kSkeletons);
    auto session = Open(*host, "CopyBones");
    Pick(*session, IDC_SOURCE_SPIN, IDC_SOURCE_EDIT, "SrcRoot");
    Pick(*session, IDC_TARGET_SPIN, IDC_TARGET_EDIT, "DstRoot");
    session->Press(IDC_COPY_BONES);
    EXPECT_TRUE(host->Messages().empty());
    const BoneCopyPlan& plan = session->DlgProc<CopyBonesDlgProc>()->LastPlan();
    ASSERT_EQ(plan.copies.size(), 2u);
    ASSERT_EQ(plan.skipped.size(), 1u);
    EXPECT_STREQ(plan.skipped[0]->GetName(), "Tail");
    // The node transform is copied first, then the raw keys, which hold the source's local
    // positions: under its own parent the target's arm ends 50 units along x from the source's.
    EXPECT_EQ(WorldPosition(*host, "DstRoot", "Arm"), Point3(51, 2, 3));
    INode* arm = Child(*host, "DstRoot", 0);
    EXPECT_EQ(PositionKeys(arm), 2);
    IBezPoint3Key key;
    GetKeyControlInterface(arm->GetTMController()->GetPositionController())->GetKey(1, &key);
    EXPECT_EQ(key.time, 160);
    EXPECT_EQ(key.val, Point3(4, 5, 6));
    EXPECT_EQ(WorldPosition(*host, "DstRoot", "Leg"), Point3(0, 0, -5));
}

TEST(CopyBones, OneSelectedBoneUnderEachIsCopiedWhateverItsName) {
    auto host = HostFromJson(R"({"pellucidScene": 1, "nodes": [
        {"name": "A", "object": {"type": "bone"}, "children": [
            {"name": "Hand", "selected": true, "object": {"type": "bone"},
             "transform": {"position": [1, 1, 1], "rotation": {"axisAngle": [1, 0, 0, 90]},
                           "scale": [2, 2, 2]}}]},
        {"name": "B", "object": {"type": "bone"}, "children": [
            {"name": "Paw", "selected": true, "object": {"type": "bone"},
             "transform": {"position": [9, 9, 9]}}]}]})");
    auto session = Open(*host, "CopyBones");
    Pick(*session, IDC_SOURCE_SPIN, IDC_SOURCE_EDIT, "A");
    Pick(*session, IDC_TARGET_SPIN, IDC_TARGET_EDIT, "B");
    // Without "Position" the target keeps its place but takes the orientation and scale.
    session->ClickCheckBox(IDC_COPY_POSITION);
    session->Press(IDC_COPY_BONES);
    const Matrix3 hand = host->FindNodeByName("Hand")->GetNodeTM(0);
    const Matrix3 paw = host->FindNodeByName("Paw")->GetNodeTM(0);
    EXPECT_EQ(paw.GetTrans(), Point3(9, 9, 9));
    for (int row = 0; row < 3; ++row) {
        EXPECT_NEAR(Length(paw[row] - hand[row]), 0.0f, 1e-5f) << row;
    }
}

// The raw keys go over with everything their type holds: a TCB rotation key keeps its tension
// and easing, not only its time and value.
TEST(CopyBones, KeysKeepEveryParameterOfTheirType) {
    auto host = HostFromJson(R"({"pellucidScene": 1, "nodes": [
        {"name": "A", "object": {"type": "bone"}, "children": [
            {"name": "Hand", "selected": true, "object": {"type": "bone"},
             "rotation": {"controller": "tcb", "keys": [
                {"time": 0, "value": {"euler": [0, 0, 0]}},
                {"time": 160, "value": {"euler": [0, 0, 90]}}]}}]},
        {"name": "B", "object": {"type": "bone"}, "children": [
            {"name": "Paw", "selected": true, "object": {"type": "bone"}}]}]})");
    IKeyControl* hand = GetKeyControlInterface(
        host->FindNodeByName("Hand")->GetTMController()->GetRotationController());
    ITCBRotKey key;
    hand->GetKey(1, &key);
    key.tens = 0.25f;
    key.easeOut = 0.5f;
    hand->SetKey(1, &key);
    auto session = Open(*host, "CopyBones");
    Pick(*session, IDC_SOURCE_SPIN, IDC_SOURCE_EDIT, "A");
    Pick(*session, IDC_TARGET_SPIN, IDC_TARGET_EDIT, "B");
    session->Press(IDC_COPY_BONES);
    IKeyControl* paw = GetKeyControlInterface(
        host->FindNodeByName("Paw")->GetTMController()->GetRotationController());
    ASSERT_EQ(paw->GetNumKeys(), 2);
    ITCBRotKey copied;
    paw->GetKey(1, &copied);
    EXPECT_EQ(copied.time, 160);
    EXPECT_EQ(copied.tens, 0.25f);
    EXPECT_EQ(copied.easeOut, 0.5f);
}

}  // namespace
}  // namespace pellucid::test
