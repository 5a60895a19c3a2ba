// TExStringGrid: layout kept outside the form. Column widths and order in
// an INI file or in the per-user store that stands for the registry, the
// one-line column-states text, the visual properties as key=value lines and
// the print settings in an INI file.

#include "grid/ExGrid.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>
#include <vector>

#include "platform/IniFile.h"
#include "platform/Streams.h"

namespace {

// ------------------------------------------------------------------ stores

// The per-user store standing for the registry: one INI file, the key and
// its subkey joined into the section name.
QString RegistryFile()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QDir().mkpath(dir);
    return QDir(dir).filePath(QStringLiteral("Arvinto-registry.ini"));
}

struct TColumnStore {
    std::unique_ptr<TIniFile> Ini;
    QString Section;
};

// The store of a column-size or column-position operation; none when Key or
// Section is empty or the grid is being designed.
bool OpenStore(const TColumnSize* Size, bool Designing, TColumnStore& Store)
{
    if (Size->Key().isEmpty() || Size->Section().isEmpty() || Designing)
        return false;
    if (Size->Location() == clIniFile) {
        Store.Ini = std::make_unique<TIniFile>(Size->Key());
        Store.Section = Size->Section();
    } else {
        Store.Ini = std::make_unique<TIniFile>(RegistryFile());
        Store.Section = Size->Key() + u'\\' + Size->Section();
    }
    return true;
}

Integer StrToInt(const QString& S)
{
    bool ok = false;
    const QString t = S.trimmed();
    const Integer v = t.startsWith(u'$') ? Integer(t.mid(1).toUInt(&ok, 16)) : t.toInt(&ok);
    if (!ok)
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(S));
    return v;
}

// ------------------------------------------------------------------ colours

struct TColorName {
    TColor Color;
    const char* Name;
};

constexpr TColorName kColorNames[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"}, {clNavy, "clNavy"},
    {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"}, {clSilver, "clSilver"}, {clRed, "clRed"},
    {clLime, "clLime"}, {clYellow, "clYellow"}, {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"},
    {clWhite, "clWhite"}, {clMoneyGreen, "clMoneyGreen"}, {clSkyBlue, "clSkyBlue"}, {clCream, "clCream"},
    {clMedGray, "clMedGray"}, {clActiveBorder, "clActiveBorder"}, {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"}, {clBackground, "clBackground"}, {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"}, {clBtnShadow, "clBtnShadow"}, {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"}, {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"}, {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"}, {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"}, {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"}, {clInfoBk, "clInfoBk"}, {clInfoText, "clInfoText"},
    {clMenu, "clMenu"}, {clMenuBar, "clMenuBar"}, {clMenuHighlight, "clMenuHighlight"}, {clMenuText, "clMenuText"},
    {clNone, "clNone"}, {clScrollBar, "clScrollBar"}, {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"}, {clWindowFrame, "clWindowFrame"}, {clWindowText, "clWindowText"},
};

QString ColorToString(TColor Color)
{
    for (const TColorName& n : kColorNames)
        if (n.Color == Color)
            return QLatin1String(n.Name);
    return u'$' + QStringLiteral("%1").arg(quint32(Color), 8, 16, QLatin1Char('0')).toUpper();
}

TColor StringToColor(const QString& S)
{
    if (S.isEmpty())
        return clNone;
    for (const TColorName& n : kColorNames)
        if (S.compare(QLatin1String(n.Name), Qt::CaseInsensitive) == 0)
            return n.Color;
    return TColor(StrToInt(S));
}

QString BoolToString(bool B)
{
    return B ? QStringLiteral("true") : QStringLiteral("false");
}

QString StyleToString(TFontStyles Style)
{
    QStringList parts;
    if (Style.Contains(fsBold))
        parts << QStringLiteral("fsBold");
    if (Style.Contains(fsItalic))
        parts << QStringLiteral("fsItalic");
    if (Style.Contains(fsUnderline))
        parts << QStringLiteral("fsUnderline");
    if (Style.Contains(fsStrikeOut))
        parts << QStringLiteral("fsStrikeOut");
    return parts.join(u',');
}

TFontStyles StringToStyle(const QString& S)
{
    TFontStyles style;
    if (S.contains(QStringLiteral("fsBold")))
        style |= fsBold;
    if (S.contains(QStringLiteral("fsItalic")))
        style |= fsItalic;
    if (S.contains(QStringLiteral("fsUnderline")))
        style |= fsUnderline;
    if (S.contains(QStringLiteral("fsStrikeOut")))
        style |= fsStrikeOut;
    return style;
}

Integer StyleToBits(TFontStyles Style)
{
    return (Style.Contains(fsBold) ? 1 : 0) | (Style.Contains(fsItalic) ? 2 : 0)
           | (Style.Contains(fsUnderline) ? 4 : 0) | (Style.Contains(fsStrikeOut) ? 8 : 0);
}

TFontStyles BitsToStyle(Integer Bits)
{
    TFontStyles style;
    if (Bits & 1)
        style |= fsBold;
    if (Bits & 2)
        style |= fsItalic;
    if (Bits & 4)
        style |= fsUnderline;
    if (Bits & 8)
        style |= fsStrikeOut;
    return style;
}

// One line of the visual-properties file: how to write and apply it.
struct TVisualProp {
    QString Key;
    std::function<QString()> Get;
    std::function<void(const QString&)> Set;
};

using TVisualProps = std::vector<TVisualProp>;

void AddColor(TVisualProps& P, const QString& Key, std::function<TColor()> Get, std::function<void(TColor)> Set)
{
    P.push_back({Key, [Get] { return ColorToString(Get()); }, [Set](const QString& V) { Set(StringToColor(V)); }});
}

void AddBool(TVisualProps& P, const QString& Key, std::function<bool()> Get, std::function<void(bool)> Set)
{
    P.push_back({Key, [Get] { return BoolToString(Get()); },
                 [Set](const QString& V) { Set(V.compare(QStringLiteral("TRUE"), Qt::CaseInsensitive) == 0); }});
}

void AddInt(TVisualProps& P, const QString& Key, std::function<Integer()> Get, std::function<void(Integer)> Set)
{
    P.push_back({Key, [Get] { return QString::number(Get()); }, [Set](const QString& V) { Set(StrToInt(V)); }});
}

void AddFont(TVisualProps& P, const QString& Prefix, TFont* Font)
{
    AddColor(P, Prefix + QStringLiteral(".Color"), [Font] { return Font->Color(); },
             [Font](TColor C) { Font->SetColor(C); });
    P.push_back({Prefix + QStringLiteral(".Style"), [Font] { return StyleToString(Font->Style()); },
                 [Font](const QString& V) { Font->SetStyle(StringToStyle(V)); }});
    AddInt(P, Prefix + QStringLiteral(".Size"), [Font] { return Font->Size(); },
           [Font](Integer S) { Font->SetSize(S); });
    P.push_back({Prefix + QStringLiteral(".Name"), [Font] { return Font->Name(); },
                 [Font](const QString& V) { Font->SetName(V); }});
}

// An enumeration by identifier; an unknown or empty one leaves it unchanged.
template <class E>
void AddEnum(TVisualProps& P, const QString& Key, QStringList Names, std::function<E()> Get,
             std::function<void(E)> Set)
{
    P.push_back({Key,
                 [Get, Names] {
                     const Integer i = Integer(Get());
                     return i >= 0 && i < Names.size() ? Names[i] : QString();
                 },
                 [Set, Names](const QString& V) {
                     for (Integer i = 0; i < Names.size(); ++i)
                         if (!V.isEmpty() && V.compare(Names[i], Qt::CaseInsensitive) == 0) {
                             Set(E(i));
                             return;
                         }
                 }});
}

} // namespace

// ------------------------------------------------------------ column sizes

void TExStringGrid::SaveColSizes()
{
    TColumnStore store;
    if (!OpenStore(FColumnSize.get(), IsDesigning(), store))
        return;
    for (Integer n = 0; n < ColCount(); ++n)
        store.Ini->WriteInteger(store.Section, QStringLiteral("Col%1").arg(n), ColWidths(n));
}

void TExStringGrid::LoadColSizes()
{
    TColumnStore store;
    if (!OpenStore(FColumnSize.get(), IsDesigning(), store))
        return;
    for (Integer n = 0; n < ColCount(); ++n) {
        const Integer w = store.Ini->ReadInteger(store.Section, QStringLiteral("Col%1").arg(n), ColWidths(n));
        if (w != ColWidths(n))
            SetColWidths(n, w);
    }
}

void TExStringGrid::SetColumnOrder()
{
    FColumnOrder->Clear();
    for (Integer c = 0; c < TotalColCount(); ++c)
        FColumnOrder->Add(c);
}

void TExStringGrid::MoveColumnsToOrder(const std::vector<Integer>& Order)
{
    // Order[i]: the position the column now at i goes to.
    const Integer n = std::min<Integer>(Integer(Order.size()), ColCount());
    std::vector<Integer> origin(static_cast<size_t>(ColCount()));
    for (Integer k = 0; k < ColCount(); ++k)
        origin[size_t(k)] = k;
    for (Integer pos = 0; pos < n; ++pos) {
        Integer want = -1;
        for (Integer o = 0; o < n; ++o)
            if (Order[size_t(o)] == pos)
                want = o;
        if (want < 0)
            continue;
        const auto it = std::find(origin.begin(), origin.end(), want);
        const Integer k = Integer(it - origin.begin());
        if (k != pos && k < ColCount()) {
            MoveColumn(k, pos);
            origin.erase(origin.begin() + k);
            origin.insert(origin.begin() + pos, want);
        }
    }
}

void TExStringGrid::ResetColumnOrder()
{
    UnHideColumnsAll();
    if (FColumnOrder->Count() == 0) {
        SetColumnOrder();
        return;
    }
    std::vector<Integer> order;
    for (Integer i = 0; i < FColumnOrder->Count(); ++i)
        order.push_back(FColumnOrder->Items(i));
    MoveColumnsToOrder(order);
}

// Fills the order list with the inverse of Values: for every column p, the
// position at which p occurs.
void TExStringGrid::ReadColumnOrder(const std::vector<Integer>& Values, Integer Total)
{
    FColumnOrder->Clear();
    for (Integer p = 0; p < Total; ++p) {
        const auto it = std::find(Values.begin(), Values.end(), p);
        if (it != Values.end())
            FColumnOrder->Add(Integer(it - Values.begin()));
    }
}

void TExStringGrid::SaveColPositions()
{
    TColumnStore store;
    if (!OpenStore(FColumnSize.get(), IsDesigning(), store))
        return;
    for (Integer n = 0; n < FColumnOrder->Count(); ++n)
        store.Ini->WriteInteger(store.Section, QStringLiteral("Pos%1").arg(n), FColumnOrder->Items(n));
}

void TExStringGrid::LoadColPositions()
{
    TColumnStore store;
    if (!OpenStore(FColumnSize.get(), IsDesigning(), store))
        return;
    if (store.Ini->ReadInteger(store.Section, QStringLiteral("Pos0"), -1) == -1)
        return;
    const Integer total = TotalColCount();
    std::vector<Integer> values;
    for (Integer n = 0; n < total; ++n) {
        const Integer v = store.Ini->ReadInteger(store.Section, QStringLiteral("Pos%1").arg(n), -1);
        if (v != -1)
            values.push_back(v);
    }
    ReadColumnOrder(values, total);
    std::vector<Integer> hidden;
    for (Integer c = 0; c < total; ++c)
        if (IsHiddenColumn(c))
            hidden.push_back(c);
    ResetColumnOrder();
    for (Integer c : hidden)
        HideColumn(c);
    FColumnOrder->Clear();
    for (Integer v : values)
        FColumnOrder->Add(v);
}

// ------------------------------------------------------------ column states

QString TExStringGrid::ColumnStatesToString()
{
    const Integer total = TotalColCount();
    QStringList widths, order, visible;
    for (Integer c = 0; c < total; ++c) {
        widths << QString::number(c < ColCount() ? ColWidths(c) : DefaultColWidth());
        order << QString::number(FColumnOrder->Count() > 0 ? (c < FColumnOrder->Count() ? FColumnOrder->Items(c) : c)
                                                            : c);
        visible << (IsHiddenColumn(c) ? QStringLiteral("0") : QStringLiteral("1"));
    }
    return QString::number(total) + u'#' + widths.join(u',') + u'#' + order.join(u',') + u'#' + visible.join(u',');
}

void TExStringGrid::StringToColumnStates(const QString& Value)
{
    if (!Value.contains(u'#'))
        return;
    const QStringList parts = Value.split(u'#');
    const auto part = [&](int i) { return i < parts.size() ? parts[i] : QString(); };
    const auto numbers = [](const QString& S) {
        std::vector<Integer> v;
        if (!S.isEmpty())
            for (const QString& x : S.split(u','))
                v.push_back(StrToInt(x));
        return v;
    };
    const auto refuse = [&](const QString& What) {
        throw EConvertError(QStringLiteral("'%1' is not a valid %2").arg(Value.left(64), What));
    };

    // The whole text is read and checked before anything changes: a text
    // that does not hold column states leaves the grid as it was.
    const Integer total = StrToInt(part(0));
    const std::vector<Integer> widths = numbers(part(1));
    const std::vector<Integer> positions = numbers(part(2));
    const QStringList shown = part(3).isEmpty() ? QStringList() : part(3).split(u',');
    // A count the text's own lists do not bear out (beyond the columns the
    // grid has) would make a grid of columns nobody asked for.
    const qsizetype listed = std::max({widths.size(), positions.size(), size_t(shown.size())});
    if (total < 1 || total > std::max<qsizetype>(TotalColCount(), listed))
        refuse(QStringLiteral("column count"));
    for (Integer w : widths)
        if (w < 0 || w > 32767)
            refuse(QStringLiteral("column width"));
    for (Integer p : positions)
        if (p < -1 || p >= total)
            refuse(QStringLiteral("column position"));

    FColumnOrder->Clear();
    UnHideColumnsAll();
    SetColCount(total);

    if (!positions.empty()) {
        std::vector<Integer> values;
        for (Integer v : positions)
            if (v != -1 && Integer(values.size()) < ColCount())
                values.push_back(v);
        ReadColumnOrder(values, ColCount());
        if (FColumnOrder->Count() > 0)
            ResetColumnOrder();
        FColumnOrder->Clear();
        for (Integer v : values)
            FColumnOrder->Add(v);
    }

    for (Integer c = Integer(shown.size()) - 1; c >= 0; --c)
        if (shown[c].trimmed() == QStringLiteral("0"))
            HideColumn(c);

    const bool stretch = FColumnSize->Stretch();
    if (stretch) {
        FColumnSize->SetStretch(false);
        const Integer sc = FColumnSize->StretchColumn() < 0 ? ColCount() - 1 : FColumnSize->StretchColumn();
        if (sc >= 0 && sc < ColCount())
            SetDefaultColWidth(ColWidths(sc));
    }
    for (Integer c = 0; c < ColCount() && c < Integer(widths.size()); ++c)
        SetColWidths(c, widths[size_t(c)]);
    FColumnSize->SetStretch(stretch);
}

// --------------------------------------------------------- visual properties

namespace {

TVisualProps VisualProps(TExStringGrid* G)
{
    TVisualProps P;
    AddColor(P, "Color", [G] { return G->Color(); }, [G](TColor C) { G->SetColor(C); });
    AddColor(P, "HintColor", [G] { return G->HintColor(); }, [G](TColor C) { G->SetHintColor(C); });
    AddColor(P, "SelectionColor", [G] { return G->SelectionColor(); }, [G](TColor C) { G->SetSelectionColor(C); });
    AddColor(P, "SelectionColorTo", [G] { return G->SelectionColorTo(); },
             [G](TColor C) { G->SetSelectionColorTo(C); });
    AddColor(P, "SelectionMirrorColor", [G] { return G->SelectionMirrorColor(); },
             [G](TColor C) { G->SetSelectionMirrorColor(C); });
    AddColor(P, "SelectionMirrorColorTo", [G] { return G->SelectionMirrorColorTo(); },
             [G](TColor C) { G->SetSelectionMirrorColorTo(C); });
    AddColor(P, "SelectionTextColor", [G] { return G->SelectionTextColor(); },
             [G](TColor C) { G->SetSelectionTextColor(C); });
    AddColor(P, "URLColor", [G] { return G->URLColor(); }, [G](TColor C) { G->SetURLColor(C); });
    AddBool(P, "URLShow", [G] { return G->URLShow(); }, [G](bool B) { G->SetURLShow(B); });
    AddBool(P, "URLShowInText", [G] { return G->URLShowInText(); }, [G](bool B) { G->SetURLShowInText(B); });
    AddColor(P, "ScrollColor", [G] { return G->ScrollColor(); }, [G](TColor C) { G->SetScrollColor(C); });
    AddColor(P, "ActiveRowColor", [G] { return G->ActiveRowColor(); }, [G](TColor C) { G->SetActiveRowColor(C); });
    AddBool(P, "ActiveRowShow", [G] { return G->ActiveRowShow(); }, [G](bool B) { G->SetActiveRowShow(B); });
    AddBool(P, "ActiveCellShow", [G] { return G->ActiveCellShow(); }, [G](bool B) { G->SetActiveCellShow(B); });
    AddFont(P, "Font", G->Font());
    AddColor(P, "ActiveCellColor", [G] { return G->ActiveCellColor(); },
             [G](TColor C) { G->SetActiveCellColor(C); });
    AddColor(P, "ActiveCellColorTo", [G] { return G->ActiveCellColorTo(); },
             [G](TColor C) { G->SetActiveCellColorTo(C); });
    AddFont(P, "ActiveCellFont", G->ActiveCellFont());
    AddFont(P, "FixedFont", G->FixedFont());
    TBalloonSettings* balloon = G->Balloon();
    AddColor(P, "Balloon.BackgroundColor", [balloon] { return balloon->BackgroundColor; },
             [balloon](TColor C) { balloon->BackgroundColor = C; });
    AddColor(P, "Balloon.TextColor", [balloon] { return balloon->TextColor; },
             [balloon](TColor C) { balloon->TextColor = C; });
    AddInt(P, "Balloon.Transparency", [balloon] { return Integer(balloon->Transparency); },
           [balloon](Integer V) { balloon->Transparency = Byte(V); });
    TBands* bands = G->Bands();
    AddColor(P, "Bands.PrimaryColor", [bands] { return bands->PrimaryColor(); },
             [bands](TColor C) { bands->SetPrimaryColor(C); });
    AddColor(P, "Bands.SecondaryColor", [bands] { return bands->SecondaryColor(); },
             [bands](TColor C) { bands->SetSecondaryColor(C); });
    AddBool(P, "Bands.Active", [bands] { return bands->Active(); }, [bands](bool B) { bands->SetActive(B); });
    TSortSettings* sort = G->SortSettings();
    AddColor(P, "SortSettings.IndexColor", [sort] { return sort->IndexColor; },
             [sort](TColor C) { sort->IndexColor = C; });
    TFloatingFooter* footer = G->FloatingFooter();
    AddColor(P, "FloatingFooter.Color", [footer] { return footer->Color(); },
             [footer](TColor C) { footer->SetColor(C); });
    TControlLook* look = G->ControlLook();
    AddInt(P, "ControlLook.CheckSize", [look] { return look->CheckSize(); }, [look](Integer V) { look->SetCheckSize(V); });
    AddColor(P, "ControlLook.Color", [look] { return look->Color(); }, [look](TColor C) { look->SetColor(C); });
    AddColor(P, "ControlLook.CommentColor", [look] { return look->CommentColor(); },
             [look](TColor C) { look->SetCommentColor(C); });
    AddEnum<TGridControlStyle>(
        P, "ControlLook.ControlStyle",
        {"csClassic", "csFlat", "csWinXP", "csBorland", "csKavro", "csGlyph", "csTheme"},
        [look] { return look->ControlStyle(); }, [look](TGridControlStyle S) { look->SetControlStyle(S); });
    AddColor(P, "ControlLook.FixedGradientFrom", [look] { return look->FixedGradientFrom(); },
             [look](TColor C) { look->SetFixedGradientFrom(C); });
    AddColor(P, "ControlLook.FixedGradientTo", [look] { return look->FixedGradientTo(); },
             [look](TColor C) { look->SetFixedGradientTo(C); });
    AddInt(P, "ControlLook.RadioSize", [look] { return look->RadioSize(); }, [look](Integer V) { look->SetRadioSize(V); });
    AddBool(P, "ControlLook.FlatButton", [look] { return look->FlatButton(); },
            [look](bool B) { look->SetFlatButton(B); });
    AddColor(P, "ControlLook.ProgressBorderColor", [look] { return look->ProgressBorderColor; },
             [look](TColor C) { look->ProgressBorderColor = C; });
    AddBool(P, "ControlLook.ProgressXP", [look] { return look->ProgressXP(); },
            [look](bool B) { look->SetProgressXP(B); });
    // glCustom is written as an empty identifier.
    AddEnum<TGridLook>(P, "Look",
                       {"glStandard", "glSoft", "glClassic", "glKavro", "glXP", "glListView", "glVista", "glWin7",
                        "glOffice2007", ""},
                       [G] { return G->Look(); }, [G](TGridLook L) { G->SetLook(L); });
    TSearchFooter* search = G->SearchFooter();
    AddColor(P, "SearchFooter.Color", [search] { return search->Color(); },
             [search](TColor C) { search->SetColor(C); });
    AddColor(P, "SearchFooter.ColorTo", [search] { return search->ColorTo(); },
             [search](TColor C) { search->SetColorTo(C); });
    TGrouping* gr = G->Grouping();
    AddColor(P, "Grouping.HeaderColor", [gr] { return gr->HeaderColor; }, [gr](TColor C) { gr->HeaderColor = C; });
    AddColor(P, "Grouping.HeaderColorTo", [gr] { return gr->HeaderColorTo; },
             [gr](TColor C) { gr->HeaderColorTo = C; });
    AddColor(P, "Grouping.HeaderTextColor", [gr] { return gr->HeaderTextColor; },
             [gr](TColor C) { gr->HeaderTextColor = C; });
    AddBool(P, "Grouping.HeaderUnderline", [gr] { return gr->HeaderUnderline; },
            [gr](bool B) { gr->HeaderUnderline = B; });
    AddColor(P, "Grouping.HeaderLineColor", [gr] { return gr->HeaderLineColor; },
             [gr](TColor C) { gr->HeaderLineColor = C; });
    AddInt(P, "Grouping.HeaderLineWidth", [gr] { return gr->HeaderLineWidth; },
           [gr](Integer V) { gr->HeaderLineWidth = V; });
    AddColor(P, "Grouping.SummaryColor", [gr] { return gr->SummaryColor; }, [gr](TColor C) { gr->SummaryColor = C; });
    AddColor(P, "Grouping.SummaryColorTo", [gr] { return gr->SummaryColorTo; },
             [gr](TColor C) { gr->SummaryColorTo = C; });
    AddColor(P, "Grouping.SummaryTextColor", [gr] { return gr->SummaryTextColor; },
             [gr](TColor C) { gr->SummaryTextColor = C; });
    AddBool(P, "Grouping.SummaryLine", [gr] { return gr->SummaryLine; }, [gr](bool B) { gr->SummaryLine = B; });
    AddColor(P, "Grouping.SummaryLineColor", [gr] { return gr->SummaryLineColor; },
             [gr](TColor C) { gr->SummaryLineColor = C; });
    AddInt(P, "Grouping.SummaryLineWidth", [gr] { return gr->SummaryLineWidth; },
           [gr](Integer V) { gr->SummaryLineWidth = V; });
    AddColor(P, "GridLineColor", [G] { return G->GridLineColor(); }, [G](TColor C) { G->SetGridLineColor(C); });
    AddColor(P, "GridFixedLineColor", [G] { return G->GridFixedLineColor(); },
             [G](TColor C) { G->SetGridFixedLineColor(C); });
    TBackGround* bg = G->BackGround();
    AddInt(P, "BackGround.Top", [bg] { return bg->Top; }, [bg](Integer V) { bg->Top = V; });
    AddInt(P, "BackGround.Left", [bg] { return bg->Left; }, [bg](Integer V) { bg->Left = V; });
    AddEnum<TBackGroundDisplay>(P, "BackGround.Display", {"bdTile", "bdFixed", "bdGradientHorz", "bdGradientVert"},
                                [bg] { return bg->Display; }, [bg](TBackGroundDisplay D) { bg->Display = D; });
    AddEnum<TBackGroundCells>(P, "BackGround.Cells", {"bcNormal", "bcFixed", "bcAll"}, [bg] { return bg->Cells; },
                              [bg](TBackGroundCells C) { bg->Cells = C; });
    AddColor(P, "BackGround.Color", [bg] { return bg->Color; }, [bg](TColor C) { bg->Color = C; });
    AddColor(P, "BackGround.ColorTo", [bg] { return bg->ColorTo; }, [bg](TColor C) { bg->ColorTo = C; });
    return P;
}

} // namespace

void TExStringGrid::SaveVisualProps(const QString& FileName)
{
    QSaveFile file(FileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw EStreamError(QStringLiteral("Cannot Create ") + FileName);
    QByteArray text;
    for (const TVisualProp& p : VisualProps(this))
        text += (p.Key + u'=' + p.Get()).toLatin1() + "\r\n";
    file.write(text);
    if (!file.commit())
        throw EStreamError(QStringLiteral("Cannot Create ") + FileName);
}

void TExStringGrid::LoadVisualProps(const QString& FileName)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EStreamError(QStringLiteral("Cannot open file ") + FileName);
    const QStringList lines = QString::fromLatin1(file.readAll()).split(QRegularExpression(QStringLiteral("\r?\n")));
    file.close();
    // A missing key reads as an empty value.
    const auto value = [&lines](const QString& Key) {
        for (const QString& line : lines) {
            const qsizetype eq = line.indexOf(u'=');
            if (eq >= 0 && line.left(eq).compare(Key, Qt::CaseInsensitive) == 0)
                return line.mid(eq + 1);
        }
        return QString();
    };
    // The look goes first: it brings its preset of colours, and the file's
    // own colours must win over them.
    const TVisualProps props = VisualProps(this);
    const QString look = QStringLiteral("Look");
    for (const TVisualProp& p : props)
        if (p.Key == look)
            p.Set(value(p.Key));
    for (const TVisualProp& p : props)
        if (p.Key != look)
            p.Set(value(p.Key));
}

// ------------------------------------------------------------ print settings

void TExStringGrid::SavePrintSettings(const QString& Key, const QString& Section)
{
    TIniFile ini(Key);
    const TPrintSettings* ps = FPrintSettings.get();
    const auto yn = [](bool B) { return B ? QStringLiteral("Y") : QStringLiteral("N"); };
    const auto wi = [&](const char* K, Integer V) { ini.WriteInteger(Section, QLatin1String(K), V); };
    const auto ws = [&](const char* K, const QString& V) { ini.WriteString(Section, QLatin1String(K), V); };
    wi("ColumnSpacing", ps->ColumnSpacing);
    wi("RowSpacing", ps->RowSpacing);
    wi("TitleSpacing", ps->TitleSpacing);
    wi("FixedHeight", ps->FixedHeight);
    wi("FixedWidth", ps->FixedWidth);
    ws("Centered", yn(ps->Centered));
    ws("NoAutoSize", yn(ps->NoAutoSize));
    ws("UseFixedHeight", yn(ps->UseFixedHeight));
    ws("UseFixedWidth", yn(ps->UseFixedWidth));
    ws("RepeatFixedRows", yn(ps->RepeatFixedRows));
    ws("RepeatFixedCols", yn(ps->RepeatFixedCols));
    ws("UseDisplFont", yn(ps->UseDisplayFont));
    ws("UseDefOrientation", yn(ps->UseDefaultOrientation));
    wi("Borders", ps->Borders);
    wi("BorderColor", ps->BorderColor);
    wi("BorderStyle", ps->BorderStyle);
    wi("Date", ps->Date);
    wi("PageNr", ps->PageNr);
    wi("Title", ps->Title);
    wi("Time", ps->Time);
    ws("DateFormat", ps->DateFormat);
    ws("TitleText", ps->TitleText);
    wi("FooterSize", ps->FooterSize);
    wi("HeaderSize", ps->HeaderSize);
    wi("LeftSize", ps->LeftSize);
    wi("RightSize", ps->RightSize);
    wi("FitToPage", ps->FitToPage);
    const auto font = [&](const char* Prefix, const TFont* F) {
        const QString p = QLatin1String(Prefix);
        ini.WriteString(Section, p + QStringLiteral("Name"), F->Name());
        ini.WriteInteger(Section, p + QStringLiteral("Size"), F->Size());
        ini.WriteInteger(Section, p + QStringLiteral("Style"), StyleToBits(F->Style()));
        ini.WriteInteger(Section, p + QStringLiteral("Color"), F->Color());
    };
    font("Font", ps->Font());
    font("HeaderFont", ps->HeaderFont());
    font("FooterFont", ps->FooterFont());
    ws("PageNumSep", ps->PageNumSep);
    ws("PageSuffix", ps->PageSuffix);
    ws("PagePrefix", ps->PagePrefix);
    wi("Orientation", ps->Orientation);
    QStringList lines;
    for (Integer i = 0; i < ps->TitleLines()->Count(); ++i)
        lines << ps->TitleLines()->Strings(i);
    ws("TitleLines", lines.join(QStringLiteral("\\n")));
    ws("PrintGraphics", yn(ps->PrintGraphics));
}

void TExStringGrid::LoadPrintSettings(const QString& Key, const QString& Section)
{
    const TIniFile ini(Key);
    TPrintSettings* ps = FPrintSettings.get();
    const auto ri = [&](const char* K, Integer D) { return ini.ReadInteger(Section, QLatin1String(K), D); };
    const auto rs = [&](const char* K, const QString& D) { return ini.ReadString(Section, QLatin1String(K), D); };
    const auto yn = [&](const char* K, const char* D) { return rs(K, QLatin1String(D)) == QStringLiteral("Y"); };
    ps->ColumnSpacing = ri("ColumnSpacing", 20);
    ps->RowSpacing = ri("RowSpacing", 20);
    ps->TitleSpacing = ri("TitleSpacing", 20);
    ps->FixedHeight = ri("FixedHeight", 0);
    ps->FixedWidth = ri("FixedWidth", 0);
    ps->Centered = yn("Centered", "Y");
    ps->NoAutoSize = yn("NoAutoSize", "N");
    ps->UseFixedHeight = yn("UseFixedHeight", "N");
    ps->UseFixedWidth = yn("UseFixedWidth", "N");
    ps->RepeatFixedRows = yn("RepeatFixedRows", "N");
    ps->RepeatFixedCols = yn("RepeatFixedCols", "N");
    ps->UseDisplayFont = yn("UseDisplFont", "N");
    ps->UseDefaultOrientation = yn("UseDefOrientation", "N");
    if (const Integer v = ri("Borders", 0); v >= 0 && v <= 8)
        ps->Borders = TPrintBorders(v);
    ps->BorderColor = ri("BorderColor", 0);
    if (const Integer v = ri("BorderStyle", 0); v >= 0 && v <= 6)
        ps->BorderStyle = TPenStyle(v);
    const auto position = [&](const char* K) {
        const Integer v = ri(K, 0);
        return v >= 1 && v <= 6 ? TPrintPosition(v) : ppNone;
    };
    ps->Date = position("Date");
    ps->PageNr = position("PageNr");
    ps->Title = position("Title");
    ps->Time = position("Time");
    ps->DateFormat = rs("DateFormat", QString());
    ps->TitleText = rs("TitleText", QString());
    ps->FooterSize = ri("FooterSize", 100);
    ps->HeaderSize = ri("HeaderSize", 100);
    ps->LeftSize = ri("LeftSize", 100);
    ps->RightSize = ri("RightSize", 100);
    if (const Integer v = ri("FitToPage", 0); v >= 0 && v <= 4)
        ps->FitToPage = TFitToPage(v);
    const auto font = [&](const char* Prefix, TFont* F) {
        const QString p = QLatin1String(Prefix);
        F->SetName(ini.ReadString(Section, p + QStringLiteral("Name"), QStringLiteral("Arial")));
        F->SetSize(ini.ReadInteger(Section, p + QStringLiteral("Size"), 10));
        // The stored style bits are added to the present style.
        F->SetStyle(F->Style() | BitsToStyle(ini.ReadInteger(Section, p + QStringLiteral("Style"), 0)));
        F->SetColor(ini.ReadInteger(Section, p + QStringLiteral("Color"), 0));
    };
    font("Font", ps->Font());
    font("HeaderFont", ps->HeaderFont());
    font("FooterFont", ps->FooterFont());
    ps->PageNumSep = rs("PageNumSep", QString());
    ps->PageSuffix = rs("PageSuffix", QString());
    ps->PagePrefix = rs("PagePrefix", QString());
    if (const Integer v = ri("Orientation", 0); v == 0 || v == 1)
        ps->Orientation = TPrinterOrientation(v);
    ps->TitleLines()->Clear();
    const QString title = rs("TitleLines", QString());
    if (!title.isEmpty())
        for (const QString& line : title.split(QStringLiteral("\\n")))
            ps->TitleLines()->Add(line);
    ps->PrintGraphics = yn("PrintGraphics", "N");
}
