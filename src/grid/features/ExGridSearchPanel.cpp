// The grid's search bar: its controls, their pictures, its painting and the
// grid's side (UpdateSearchPanel and the handlers of its events).

#include "grid/ExGrid.h"

#include "grid/ExObj.h"
#include "grid/ExUtil.h"
#include "grid/editors/CellControls.h"
#include "grid/features/ExGridPanels.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"

namespace {

// The key colour of the pictures: their bottom-left pixel, drawn transparent.
const TColor GlyphKey = RGB(255, 0, 255);

void BlankGlyph(TBitmap* B, Integer W, Integer H)
{
    B->SetSize(W, H);
    TCanvas* c = B->Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(GlyphKey);
    c->FillRect({0, 0, W, H});
}

// A filled triangle pointing down (Down) or up, 9 pixels wide.
void ArrowGlyph(TBitmap* B, bool Down, TColor Ink)
{
    BlankGlyph(B, 16, 16);
    TCanvas* c = B->Canvas();
    c->Pen()->SetColor(Ink);
    c->Brush()->SetColor(Ink);
    if (Down) {
        c->FillRect({6, 3, 10, 8});
        c->Polygon({TPoint{3, 8}, TPoint{12, 8}, TPoint{8, 12}, TPoint{7, 12}});
    } else {
        c->FillRect({6, 8, 10, 13});
        c->Polygon({TPoint{3, 8}, TPoint{12, 8}, TPoint{8, 4}, TPoint{7, 4}});
    }
}

// A cross two pixels thick on a 14-pixel square.
void CloseGlyph(TBitmap* B, TColor Ink, TColor Face)
{
    BlankGlyph(B, 14, 14);
    TCanvas* c = B->Canvas();
    if (Face != clNone) {
        c->Pen()->SetColor(Face);
        c->Brush()->SetColor(Face);
        c->Rectangle(1, 1, 13, 13);
    }
    c->Pen()->SetColor(Ink);
    for (Integer d = 0; d < 2; ++d) {
        c->MoveTo(3 + d, 3);
        c->LineTo(11 + d, 11);
        c->MoveTo(10 + d, 3);
        c->LineTo(2 + d, 11);
    }
}

// A marker pen drawn slanting over a stroke of its colour.
void HighlightGlyph(TBitmap* B, TColor Stroke, TColor Body)
{
    BlankGlyph(B, 16, 16);
    TCanvas* c = B->Canvas();
    c->Pen()->SetColor(Stroke);
    c->Brush()->SetColor(Stroke);
    c->FillRect({1, 12, 15, 15});
    c->Pen()->SetColor(Body);
    c->Brush()->SetColor(Body);
    c->Polygon({TPoint{9, 1}, TPoint{14, 6}, TPoint{8, 12}, TPoint{3, 7}});
    c->Pen()->SetColor(Stroke);
    c->Brush()->SetColor(Stroke);
    c->Polygon({TPoint{3, 7}, TPoint{8, 12}, TPoint{5, 12}, TPoint{3, 10}});
}

} // namespace

void LoadSearchGlyph(TBitmap* Bitmap, const QString& Name)
{
    const TColor grey = RGB(160, 160, 160);
    if (Name == QLatin1String("ESGARDOWN"))
        ArrowGlyph(Bitmap, true, RGB(0, 70, 160));
    else if (Name == QLatin1String("ESGARDOWND"))
        ArrowGlyph(Bitmap, true, grey);
    else if (Name == QLatin1String("ESGARUP"))
        ArrowGlyph(Bitmap, false, RGB(0, 70, 160));
    else if (Name == QLatin1String("ESGARUPD"))
        ArrowGlyph(Bitmap, false, grey);
    else if (Name == QLatin1String("ESGCLOSE"))
        CloseGlyph(Bitmap, RGB(90, 90, 90), clNone);
    else if (Name == QLatin1String("ESGCLOSEH"))
        CloseGlyph(Bitmap, clWhite, RGB(210, 60, 50));
    else if (Name == QLatin1String("ESGCLOSED"))
        CloseGlyph(Bitmap, clWhite, RGB(150, 30, 25));
    else if (Name == QLatin1String("ESGHI"))
        HighlightGlyph(Bitmap, RGB(255, 220, 0), RGB(70, 70, 70));
    else if (Name == QLatin1String("ESGHID"))
        HighlightGlyph(Bitmap, RGB(200, 200, 200), grey);
    else {
        Bitmap->SetSize(0, 0);
    }
}

static void SetGlyphs(TExGridButton* B, const char* Normal, const char* Disabled, const char* Hot = nullptr,
                      const char* Down = nullptr)
{
    TBitmap bmp;
    LoadSearchGlyph(&bmp, QLatin1String(Normal));
    B->SetGlyph(&bmp);
    LoadSearchGlyph(&bmp, QLatin1String(Disabled));
    B->SetGlyphDisabled(&bmp);
    if (Hot != nullptr) {
        LoadSearchGlyph(&bmp, QLatin1String(Hot));
        B->SetGlyphHot(&bmp);
    }
    if (Down != nullptr) {
        LoadSearchGlyph(&bmp, QLatin1String(Down));
        B->SetGlyphDown(&bmp);
    }
}

// A button's hint, shown only when there is one.
static void SetButtonHint(TControl* C, const QString& Hint)
{
    C->SetHint(Hint);
    C->SetShowHint(!Hint.isEmpty());
}

// ============================================================ the panel

TSearchPanel::TSearchPanel(TComponent* AOwner)
    : TPanel(AOwner), FGrid(dynamic_cast<TExStringGrid*>(AOwner)), FEdit(new TRetEdit(this)),
      FExitButton(new TExGridButton(this)), FForwardButton(new TExGridButton(this)),
      FBackwardButton(new TExGridButton(this)), FHiliteButton(new TExGridButton(this)),
      FMatchCase(new TExCheckBox(this))
{
    SetBevelOuter(bvNone);
    SetShowCaption(false);
    SetBounds(0, 0, 100, 0);
    SetVisible(false);
    for (TControl* c : std::initializer_list<TControl*>{FEdit, FExitButton, FForwardButton, FBackwardButton,
                                                        FHiliteButton, FMatchCase})
        c->SetParent(this);
    // Each control hands its gesture on as one of the panel's events.
    auto relay = [this](TNotifyEvent TSearchPanel::*Event) {
        return [this, Event](TObject*) {
            if (this->*Event)
                (this->*Event)(this);
        };
    };
    FEdit->OnChange = [this](TObject*) { EditChange(); };
    FEdit->OnReturn = relay(&TSearchPanel::OnForwardClick);
    FEdit->OnCtrlReturn = relay(&TSearchPanel::OnBackwardClick);
    FForwardButton->OnClick = relay(&TSearchPanel::OnForwardClick);
    FBackwardButton->OnClick = relay(&TSearchPanel::OnBackwardClick);
    FExitButton->OnClick = relay(&TSearchPanel::OnExitClick);
    FHiliteButton->OnClick = relay(&TSearchPanel::OnHighLightClick);
    FHiliteButton->SetStyle(tasCheck);
    FMatchCase->SetCaption(QString());
}

TSearchPanel::~TSearchPanel() = default;

QString TSearchPanel::EditText() const
{
    return FEdit->Text();
}

bool TSearchPanel::MatchCaseChecked() const
{
    return FMatchCase->Checked();
}

bool TSearchPanel::HighlightDown() const
{
    return FHiliteButton->Down();
}

void TSearchPanel::CreateWnd()
{
    TPanel::CreateWnd();
    FForwardButton->SetHeight(23);
    SetButtonHint(FForwardButton, HintFindNext);
    FForwardButton->SetCaption(FindNextCaption);
    SetGlyphs(FForwardButton, "ESGARDOWN", "ESGARDOWND");
    FForwardButton->SetParentFont(true);

    FBackwardButton->SetHeight(23);
    SetButtonHint(FBackwardButton, HintFindPrev);
    FBackwardButton->SetCaption(FindPrevCaption);
    SetGlyphs(FBackwardButton, "ESGARUP", "ESGARUPD");
    FBackwardButton->SetParentFont(true);

    FExitButton->SetHeight(14);
    SetButtonHint(FExitButton, HintClose);
    FExitButton->SetCaption(QString());
    SetGlyphs(FExitButton, "ESGCLOSE", "ESGCLOSE", "ESGCLOSEH", "ESGCLOSED");
    FExitButton->SetParentFont(true);

    FHiliteButton->SetHeight(23);
    SetButtonHint(FHiliteButton, HintHighlight);
    FHiliteButton->Font()->SetStyle(TFontStyles());
    FHiliteButton->SetCaption(HighLightCaption);
    SetGlyphs(FHiliteButton, "ESGHI", "ESGHID");

    // Nothing to find before there is text.
    const bool any = !FEdit->Text().isEmpty();
    FForwardButton->SetEnabled(any);
    FBackwardButton->SetEnabled(any);
    FHiliteButton->SetEnabled(any);

    FMatchCase->SetCaption(MatchCaseCaption);
    PlaceControls();

    if (FGrid != nullptr && FGrid->OnCreatedSearchFooter)
        FGrid->OnCreatedSearchFooter(FGrid);
}

void TSearchPanel::PlaceControls()
{
    const bool rtl = FGrid != nullptr && FGrid->UseRightToLeftReading();
    auto place = [&](TControl* C, Integer X, Integer Y, Integer W) {
        C->SetBounds(rtl ? Width() - W - X : X, Y, W, C->Height());
    };
    place(FEdit, 25, 6, 110);
    place(FForwardButton, 140, 5, 90);
    place(FBackwardButton, 235, 5, 90);
    place(FExitButton, 5, 7, 14);
    place(FHiliteButton, 330, 5, 90);
    place(FMatchCase, FHiliteButton->Visible() ? 425 : 330, 8, FMatchCase->Width());
}

void TSearchPanel::Resize()
{
    TPanel::Resize();
    // Mirrored places hang on the bar's width.
    if (FGrid != nullptr && FGrid->UseRightToLeftReading())
        PlaceControls();
}

void TSearchPanel::EditChange()
{
    const bool any = !FEdit->Text().isEmpty();
    FForwardButton->SetEnabled(any);
    FBackwardButton->SetEnabled(any);
    FHiliteButton->SetEnabled(any);
    if (OnEditChange)
        OnEditChange(this);
}

void TSearchPanel::SetColorTo(TColor Value)
{
    FColorTo = Value;
    Invalidate();
}

void TSearchPanel::Paint()
{
    TCanvas* c = Canvas();
    const TRect r = ClientRect();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->Pen()->SetColor(Color());
    if (FColorTo == clNone)
        c->FillRect(r);
    else
        DrawGradient(c, Color(), FColorTo, 32, r, false);
    c->Pen()->SetColor(FGrid != nullptr ? FGrid->GridLineColor() : clSilver);
    c->MoveTo(0, 0);
    c->LineTo(r.Width(), 0);
}

// ============================================================ the grid's side

void TExStringGrid::SearchPanelEditChange(TObject*)
{
    const TColor c =
        SearchEditChange(FSearchPanel->EditText(), FSearchPanel->MatchCaseChecked(), FSearchPanel->HighlightDown());
    // The box turns red while nothing matches.
    FSearchPanel->Edit()->SetColor(c);
}

void TExStringGrid::MakeSearchPanel()
{
    FSearchPanel = new TSearchPanel(this);
    FSearchPanel->SetParent(this);
    FSearchPanel->OnForwardClick = [this](TObject*) {
        SearchForward(FSearchPanel->EditText(), FSearchPanel->MatchCaseChecked(), FSearchPanel->HighlightDown());
    };
    FSearchPanel->OnBackwardClick = [this](TObject*) {
        SearchBackward(FSearchPanel->EditText(), FSearchPanel->MatchCaseChecked(), FSearchPanel->HighlightDown());
    };
    FSearchPanel->OnEditChange = [this](TObject* Sender) { SearchPanelEditChange(Sender); };
    FSearchPanel->OnExitClick = [this](TObject*) { SearchFooterClose(); };
    FSearchPanel->OnHighLightClick = [this](TObject*) {
        HiliteButtonClick(FSearchPanel->EditText(), FSearchPanel->HighlightDown(), FSearchPanel->MatchCaseChecked());
    };
}

TSearchPanel* TExStringGrid::SearchPanel()
{
    if (FSearchPanel == nullptr && !IsDestroying()) {
        MakeSearchPanel();
        if (FSearchPanelStale)
            UpdateSearchPanel();
    }
    return FSearchPanel;
}

void TExStringGrid::UpdateSearchPanel()
{
    if (HasState(csLoading) || IsDestroying())
        return;
    TSearchFooter* sf = FSearchFooter.get();
    if (FSearchPanel == nullptr) {
        if (!sf->Visible()) {
            // Most grids never show the bar: it takes these settings when made.
            FSearchPanelStale = true;
            if (sf->AlwaysHighLight())
                FooterUnHighlight();
            UpdateBottomReserve();
            return;
        }
        MakeSearchPanel();
    }
    FSearchPanelStale = false;
    TSearchPanel* p = FSearchPanel;
    if ((p->HiliteButton()->Down() && p->Visible() && !sf->Visible()) || sf->AlwaysHighLight())
        FooterUnHighlight();
    if (p->HiliteButton()->Down() && !sf->Visible())
        p->HiliteButton()->SetDown(false);
    p->SetColor(sf->Color());
    p->SetColorTo(sf->ColorTo());
    p->SetVisible(sf->Visible());

    p->FindNextCaption = sf->FindNextCaption();
    p->FindPrevCaption = sf->FindPrevCaption();
    p->MatchCaseCaption = sf->MatchCaseCaption();
    p->HighLightCaption = sf->HighLightCaption();
    p->ForwardButton()->SetCaption(sf->FindNextCaption());
    p->BackwardButton()->SetCaption(sf->FindPrevCaption());
    p->MatchCase()->SetCaption(sf->MatchCaseCaption());
    p->HiliteButton()->SetCaption(sf->HighLightCaption());
    p->HintFindNext = sf->HintFindNext();
    p->HintFindPrev = sf->HintFindPrev();
    p->HintClose = sf->HintClose();
    p->HintHighlight = sf->HintHighlight();
    p->SetFont(sf->Font());

    TExGridButton* captioned[] = {p->ForwardButton(), p->BackwardButton(), p->HiliteButton()};
    for (TExGridButton* b : captioned) {
        if (AutoThemeAdapt()) {
            b->SetAutoThemeAdapt(true);
            b->SetFlat(true);
            continue;
        }
        switch (FControlLook->ControlStyle()) {
        case csFlat:
            b->SetFlat(true);
            break;
        case csWinXP:
        case csTheme:
            b->SetAutoXPStyle(true);
            b->SetFlat(false);
            break;
        case csClassic:
            b->SetAutoXPStyle(false);
            b->SetFlat(false);
            break;
        default:
            break;
        }
    }

    p->HiliteButton()->SetVisible(sf->ShowHighLight());
    p->ExitButton()->SetVisible(sf->ShowClose());
    p->MatchCase()->SetVisible(sf->ShowMatchCase());
    p->MatchCase()->SetTransparent(true);
    p->BackwardButton()->SetVisible(sf->ShowFindPrev());
    p->ForwardButton()->SetVisible(sf->ShowFindNext());

    SetButtonHint(p->ForwardButton(), sf->HintFindNext());
    SetButtonHint(p->BackwardButton(), sf->HintFindPrev());
    SetButtonHint(p->ExitButton(), sf->HintClose());
    SetButtonHint(p->HiliteButton(), sf->HintHighlight());

    TExCheckBox* mc = p->MatchCase();
    auto height = [](TControl* C, Integer H) { C->SetHeight(C->Visible() ? H : 0); };
    height(mc, 18);
    height(p->ForwardButton(), 23);
    height(p->BackwardButton(), 23);
    height(p->HiliteButton(), 23);
    p->PlaceControls();

    // The bar lies below the cells (not over the last rows), so that the
    // current and the last row stay in view without scrolling.
    UpdateBottomReserve();
}
