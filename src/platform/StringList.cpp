#include "StringList.h"

#include "FileSystem.h"
#include "Streams.h"

#include <algorithm>

// ---------------------------------------------------------------------------
// TStrings

void TStrings::Error(const QString& Message, Integer Index) const
{
    throw EStringListError(Message.contains(QLatin1String("%1")) ? Message.arg(Index) : Message);
}

void TStrings::Put(Integer Index, const QString& S)
{
    TObject* obj = GetObject(Index);
    BeginUpdate();
    Delete(Index);
    InsertObject(Index, S, obj);
    EndUpdate();
}

TObject* TStrings::GetObject(Integer) const
{
    return nullptr;
}

void TStrings::PutObject(Integer, TObject*) {}

void TStrings::InsertObject(Integer Index, const QString& S, TObject* AObject)
{
    Insert(Index, S);
    PutObject(Index, AObject);
}

void TStrings::Exchange(Integer Index1, Integer Index2)
{
    BeginUpdate();
    const QString s1 = Get(Index1);
    TObject* o1 = GetObject(Index1);
    Put(Index1, Get(Index2));
    PutObject(Index1, GetObject(Index2));
    Put(Index2, s1);
    PutObject(Index2, o1);
    EndUpdate();
}

Integer TStrings::Add(const QString& S)
{
    const Integer at = GetCount();
    Insert(at, S);
    return at;
}

Integer TStrings::AddObject(const QString& S, TObject* AObject)
{
    const Integer at = Add(S);
    PutObject(at, AObject);
    return at;
}

void TStrings::AddStrings(const TStrings* Strings)
{
    if (Strings == nullptr)
        return;
    BeginUpdate();
    for (Integer i = 0; i < Strings->GetCount(); ++i)
        AddObject(Strings->Get(i), Strings->GetObject(i));
    EndUpdate();
}

void TStrings::Move(Integer CurIndex, Integer NewIndex)
{
    if (CurIndex == NewIndex)
        return;
    BeginUpdate();
    const QString s = Get(CurIndex);
    TObject* obj = GetObject(CurIndex);
    // The object is detached first so that an owning list keeps it alive.
    PutObject(CurIndex, nullptr);
    Delete(CurIndex);
    InsertObject(NewIndex, s, obj);
    EndUpdate();
}

int TStrings::CompareStrings(const QString& S1, const QString& S2) const
{
    return AnsiCompareText(S1, S2);
}

Integer TStrings::IndexOf(const QString& S) const
{
    for (Integer i = 0; i < GetCount(); ++i)
        if (CompareStrings(Get(i), S) == 0)
            return i;
    return -1;
}

Integer TStrings::IndexOfName(const QString& Name) const
{
    for (Integer i = 0; i < GetCount(); ++i) {
        const QString s = Get(i);
        const qsizetype p = s.indexOf(nameValueSeparator_);
        if (p >= 0 && CompareStrings(s.left(p), Name) == 0)
            return i;
    }
    return -1;
}

Integer TStrings::IndexOfObject(const TObject* AObject) const
{
    for (Integer i = 0; i < GetCount(); ++i)
        if (GetObject(i) == AObject)
            return i;
    return -1;
}

bool TStrings::Equals(const TStrings* Strings) const
{
    if (Strings == nullptr || Strings->GetCount() != GetCount())
        return false;
    for (Integer i = 0; i < GetCount(); ++i)
        if (Get(i) != Strings->Get(i))
            return false;
    return true;
}

void TStrings::Assign(const TPersistent* Source)
{
    if (auto src = dynamic_cast<const TStrings*>(Source)) {
        if (src == this)
            return;
        BeginUpdate();
        Clear();
        delimiter_ = src->delimiter_;
        quoteChar_ = src->quoteChar_;
        nameValueSeparator_ = src->nameValueSeparator_;
        strictDelimiter_ = src->strictDelimiter_;
        lineBreak_ = src->lineBreak_;
        AddStrings(src);
        EndUpdate();
        return;
    }
    TPersistent::Assign(Source);
}

void TStrings::BeginUpdate()
{
    // The state hook runs while the count is still 0, so that it reports.
    if (updateCount_ == 0)
        SetUpdateState(true);
    ++updateCount_;
}

void TStrings::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0)
        SetUpdateState(false);
}

QString TStrings::Names(Integer Index) const
{
    const QString s = Get(Index);
    const qsizetype p = s.indexOf(nameValueSeparator_);
    return p >= 0 ? s.left(p) : QString();
}

QString TStrings::Values(const QString& Name) const
{
    const Integer i = IndexOfName(Name);
    return i >= 0 ? ValueFromIndex(i) : QString();
}

void TStrings::SetValues(const QString& Name, const QString& Value)
{
    const Integer i = IndexOfName(Name);
    if (Value.isEmpty()) {
        if (i >= 0)
            Delete(i);
        return;
    }
    const QString line = Name + nameValueSeparator_ + Value;
    if (i >= 0)
        Put(i, line);
    else
        Add(line);
}

QString TStrings::ValueFromIndex(Integer Index) const
{
    const QString s = Get(Index);
    const qsizetype p = s.indexOf(nameValueSeparator_);
    return p >= 0 ? s.mid(p + 1) : QString();
}

void TStrings::SetValueFromIndex(Integer Index, const QString& Value)
{
    if (Value.isEmpty()) {
        Delete(Index);
        return;
    }
    Put(Index, Names(Index) + nameValueSeparator_ + Value);
}

QString TStrings::Text() const
{
    QString r;
    for (Integer i = 0; i < GetCount(); ++i)
        r += Get(i) + lineBreak_;
    return r;
}

void TStrings::SetText(const QString& Value)
{
    BeginUpdate();
    Clear();
    const qsizetype n = Value.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = Value[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        Add(Value.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < n && Value[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        Add(Value.mid(start));
    EndUpdate();
}

QString TStrings::DelimitedText() const
{
    const Integer n = GetCount();
    if (n == 1 && Get(0).isEmpty())
        return QString(2, quoteChar_);
    QString r;
    const QString doubled(2, quoteChar_);
    for (Integer i = 0; i < n; ++i) {
        QString s = Get(i);
        const bool quote = std::any_of(s.begin(), s.end(), [&](QChar c) {
            return c == delimiter_ || c == quoteChar_ || (!strictDelimiter_ && c.unicode() <= 0x20);
        });
        if (quote)
            s = quoteChar_ + s.replace(quoteChar_, doubled) + quoteChar_;
        if (i > 0)
            r += delimiter_;
        r += s;
    }
    return r;
}

void TStrings::SetDelimitedText(const QString& Value)
{
    BeginUpdate();
    Clear();
    const qsizetype n = Value.size();
    auto isBlank = [&](qsizetype i) { return !strictDelimiter_ && Value[i].unicode() >= 1 && Value[i].unicode() <= 0x20; };
    qsizetype i = 0;
    while (i < n && isBlank(i))
        ++i;
    while (i < n) {
        QString item;
        if (Value[i] == quoteChar_) {
            // Quoted: doubled quote characters stand for one; the item ends at
            // the closing quote (or at the end of the text).
            ++i;
            while (i < n) {
                if (Value[i] == quoteChar_) {
                    if (i + 1 < n && Value[i + 1] == quoteChar_) {
                        item += quoteChar_;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += Value[i++];
            }
        } else {
            const qsizetype start = i;
            while (i < n && Value[i] != delimiter_ && !(strictDelimiter_ ? false : Value[i].unicode() <= 0x20))
                ++i;
            item = Value.mid(start, i - start);
        }
        Add(item);
        while (i < n && isBlank(i))
            ++i;
        if (i < n && Value[i] == delimiter_) {
            if (i + 1 == n)
                Add(QString());
            ++i;
            while (i < n && isBlank(i))
                ++i;
        }
    }
    EndUpdate();
}

QString TStrings::CommaText() const
{
    // Works on a copy of the settings so that the list's own stay as they are.
    TStringList tmp;
    tmp.SetStrictDelimiter(false);
    for (Integer i = 0; i < GetCount(); ++i)
        tmp.Add(Get(i));
    return tmp.DelimitedText();
}

void TStrings::SetCommaText(const QString& Value)
{
    const QChar d = delimiter_, q = quoteChar_;
    const bool strict = strictDelimiter_;
    delimiter_ = QLatin1Char(',');
    quoteChar_ = QLatin1Char('"');
    strictDelimiter_ = false;
    SetDelimitedText(Value);
    delimiter_ = d;
    quoteChar_ = q;
    strictDelimiter_ = strict;
}

void TStrings::SetTextFromBytes(const QByteArray& Bytes)
{
    TTextEncoding found = TTextEncoding::ANSI;
    const QString text = DecodeText(Bytes, &found);
    SetText(text);
    encoding_ = found;
}

bool TStrings::LoadFromFile(const QString& FileName, QString* Error)
{
    QByteArray bytes;
    if (!ReadWholeFile(FileName, bytes, Error))
        return false;
    SetTextFromBytes(bytes);
    return true;
}

QByteArray TStrings::EncodedText(TTextEncoding Encoding, bool Explicit) const
{
    const QString text = Text();
    if (!Explicit && Encoding == TTextEncoding::ANSI && !FitsAnsi(text))
        return EncodeText(text, TTextEncoding::UTF8, true);
    return EncodeText(text, Encoding, writeBOM_);
}

bool TStrings::SaveToFile(const QString& FileName, QString* Error) const
{
    return WriteWholeFile(FileName, EncodedText(encoding_, false), Error);
}

bool TStrings::SaveToFile(const QString& FileName, TTextEncoding Encoding, QString* Error) const
{
    return WriteWholeFile(FileName, EncodedText(Encoding, true), Error);
}

void TStrings::LoadFromStream(TStream* Stream)
{
    const Int64 n = Stream->Size() - Stream->Position();
    QByteArray bytes(qsizetype(std::max<Int64>(n, 0)), Qt::Uninitialized);
    Stream->ReadBuffer(bytes.data(), bytes.size());
    SetTextFromBytes(bytes);
}

void TStrings::SaveToStream(TStream* Stream) const
{
    Stream->WriteBuffer(EncodedText(encoding_, false));
}

void TStrings::SaveToStream(TStream* Stream, TTextEncoding Encoding) const
{
    Stream->WriteBuffer(EncodedText(Encoding, true));
}

// ---------------------------------------------------------------------------
// TStringList

TStringList::TStringList() = default;

TStringList::TStringList(bool OwnsObjects) : ownsObjects_(OwnsObjects) {}

TStringList::~TStringList()
{
    OnChange = nullptr;
    OnChanging = nullptr;
    if (ownsObjects_)
        for (Item& it : items_)
            delete it.object;
}

void TStringList::CheckIndex(Integer Index, bool AllowEnd) const
{
    const Integer limit = GetCount() + (AllowEnd ? 1 : 0);
    if (Index < 0 || Index >= limit)
        Error(QStringLiteral("List index out of bounds (%1)"), Index);
}

Integer TStringList::GetCount() const
{
    return Integer(items_.size());
}

QString TStringList::Get(Integer Index) const
{
    CheckIndex(Index);
    return items_[size_t(Index)].text;
}

void TStringList::Put(Integer Index, const QString& S)
{
    if (sorted_)
        Error(QStringLiteral("Operation not allowed on sorted list"), Index);
    CheckIndex(Index);
    Changing();
    items_[size_t(Index)].text = S;
    Changed();
}

TObject* TStringList::GetObject(Integer Index) const
{
    CheckIndex(Index);
    return items_[size_t(Index)].object;
}

void TStringList::PutObject(Integer Index, TObject* AObject)
{
    CheckIndex(Index);
    Changing();
    items_[size_t(Index)].object = AObject;
    Changed();
}

void TStringList::Insert(Integer Index, const QString& S)
{
    InsertObject(Index, S, nullptr);
}

void TStringList::InsertObject(Integer Index, const QString& S, TObject* AObject)
{
    if (sorted_)
        Error(QStringLiteral("Operation not allowed on sorted list"), Index);
    CheckIndex(Index, true);
    InsertItem(Index, S, AObject);
}

void TStringList::InsertItem(Integer Index, const QString& S, TObject* AObject)
{
    Changing();
    items_.insert(items_.begin() + Index, Item{S, AObject});
    Changed();
}

void TStringList::Delete(Integer Index)
{
    CheckIndex(Index);
    Changing();
    TObject* obj = items_[size_t(Index)].object;
    items_.erase(items_.begin() + Index);
    if (ownsObjects_)
        delete obj;
    Changed();
}

void TStringList::Clear()
{
    if (items_.empty())
        return;
    Changing();
    std::vector<Item> old;
    old.swap(items_);
    if (ownsObjects_)
        for (Item& it : old)
            delete it.object;
    Changed();
}

void TStringList::Exchange(Integer Index1, Integer Index2)
{
    CheckIndex(Index1);
    CheckIndex(Index2);
    Changing();
    std::swap(items_[size_t(Index1)], items_[size_t(Index2)]);
    Changed();
}

Integer TStringList::Add(const QString& S)
{
    return AddObject(S, nullptr);
}

Integer TStringList::AddObject(const QString& S, TObject* AObject)
{
    Integer at = GetCount();
    if (sorted_) {
        if (Find(S, at)) {
            if (duplicates_ == dupIgnore)
                return at;
            if (duplicates_ == dupError)
                Error(QStringLiteral("String list does not allow duplicates"), at);
        }
    }
    InsertItem(at, S, AObject);
    return at;
}

Integer TStringList::IndexOf(const QString& S) const
{
    if (!sorted_)
        return TStrings::IndexOf(S);
    Integer at = -1;
    return Find(S, at) ? at : -1;
}

bool TStringList::Find(const QString& S, Integer& Index) const
{
    Integer lo = 0, hi = GetCount() - 1;
    bool found = false;
    while (lo <= hi) {
        const Integer mid = lo + (hi - lo) / 2;
        const int c = CompareStrings(items_[size_t(mid)].text, S);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0)
                found = true; // keep going left: the first of equal strings
        }
    }
    Index = lo;
    return found;
}

int TStringList::CompareStrings(const QString& S1, const QString& S2) const
{
    return caseSensitive_ ? CompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

void TStringList::SortItems(const std::function<bool(const Item&, const Item&)>& Less)
{
    Changing();
    std::stable_sort(items_.begin(), items_.end(), Less);
    Changed();
}

void TStringList::Sort()
{
    if (items_.size() < 2)
        return;
    SortItems([this](const Item& a, const Item& b) { return CompareStrings(a.text, b.text) < 0; });
}

void TStringList::CustomSort(const TStringListSortCompare& Compare)
{
    if (items_.size() < 2 || !Compare)
        return;
    // The comparer sees indexes into the list: sort a permutation, then apply it.
    std::vector<Integer> order(items_.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = Integer(i);
    std::stable_sort(order.begin(), order.end(), [&](Integer a, Integer b) { return Compare(this, a, b) < 0; });
    std::vector<Item> sorted;
    sorted.reserve(items_.size());
    for (Integer i : order)
        sorted.push_back(items_[size_t(i)]);
    Changing();
    items_.swap(sorted);
    Changed();
}

void TStringList::SetSorted(bool Value)
{
    if (sorted_ == Value)
        return;
    if (Value)
        Sort();
    sorted_ = Value;
}

void TStringList::SetCaseSensitive(bool Value)
{
    if (caseSensitive_ == Value)
        return;
    caseSensitive_ = Value;
    if (sorted_)
        Sort();
}

void TStringList::SetUpdateState(bool Updating)
{
    if (Updating)
        Changing();
    else
        Changed();
}

void TStringList::Changed()
{
    if (UpdateCount() == 0 && OnChange)
        OnChange(this);
}

void TStringList::Changing()
{
    if (UpdateCount() == 0 && OnChanging)
        OnChanging(this);
}
