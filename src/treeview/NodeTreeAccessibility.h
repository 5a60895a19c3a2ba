#pragma once
// What assistive programs learn of a tree. The tree asks one process-wide
// factory for its accessible objects; providers that the application
// registers create them. The tree also answers the two tree-view item
// messages from its node model, a node serving as the item handle.

#include <memory>
#include <vector>

#include "platform/Accessibility.h"

class TBaseNodeTree;

constexpr Cardinal TVM_GETITEMW = 0x113E;
constexpr Cardinal TVM_GETNEXTITEM = 0x110A;

// The item the client asks about and the fields it wants (Mask).
struct TTVItemW {
    Cardinal Mask = 0;
    void* Item = nullptr;
    Cardinal State = 0;
    Cardinal StateMask = 0;
    char16_t* Text = nullptr;
    Integer TextMax = 0;
    Integer Image = 0;
    Integer SelectedImage = 0;
    Integer Children = 0;
    LPARAM Param = 0;
};

constexpr Cardinal TVIF_TEXT = 0x0001;
constexpr Cardinal TVIF_IMAGE = 0x0002;
constexpr Cardinal TVIF_STATE = 0x0008;
constexpr Cardinal TVIF_HANDLE = 0x0010;
constexpr Cardinal TVIF_SELECTEDIMAGE = 0x0020;
constexpr Cardinal TVIF_CHILDREN = 0x0040;

constexpr Cardinal TVIS_FOCUSED = 0x0001;
constexpr Cardinal TVIS_SELECTED = 0x0002;
constexpr Cardinal TVIS_CUT = 0x0004;
constexpr Cardinal TVIS_DROPHILITED = 0x0008;
constexpr Cardinal TVIS_EXPANDED = 0x0020;

enum : WPARAM {
    TVGN_ROOT = 0,
    TVGN_NEXT = 1,
    TVGN_PREVIOUS = 2,
    TVGN_PARENT = 3,
    TVGN_CHILD = 4,
    TVGN_FIRSTVISIBLE = 5,
    TVGN_NEXTVISIBLE = 6,
    TVGN_PREVIOUSVISIBLE = 7,
    TVGN_DROPHILITE = 8,
    TVGN_CARET = 9,
    TVGN_LASTVISIBLE = 10,
};

class INtAccessibleProvider {
public:
    virtual ~INtAccessibleProvider() = default;
    virtual std::shared_ptr<IAccessible> CreateIAccessible(TBaseNodeTree* ATree) = 0;
};
using PNtAccessibleProvider = std::shared_ptr<INtAccessibleProvider>;

class TNtAccessibilityFactory {
public:
    static TNtAccessibilityFactory* GetAccessibilityFactory();
    void RegisterAccessibleProvider(const PNtAccessibleProvider& AProvider);
    void UnRegisterAccessibleProvider(const PNtAccessibleProvider& AProvider);
    // The first provider makes a tree's own object; once that exists, the
    // item object comes from the last provider that gives one.
    std::shared_ptr<IAccessible> CreateIAccessible(TBaseNodeTree* ATree);
    const std::vector<PNtAccessibleProvider>& Providers() const { return FAccessibleProviders; }

private:
    std::vector<PNtAccessibleProvider> FAccessibleProviders;
};

// The accessible objects of this program's trees: the tree is an outline,
// its visible nodes are its items (children 1..n in display order). An
// item's name is its caption, its value its level (1 for a top-level node);
// its states tell selection, focus, check and expanded state.
class TNtTreeAccessibleProvider : public INtAccessibleProvider {
public:
    std::shared_ptr<IAccessible> CreateIAccessible(TBaseNodeTree* ATree) override;
};
