#pragma once
// String lists: TStrings, the interface every list of lines offers (the
// lines of a memo, the items of a combo box), and TStringList, the list that
// keeps its own strings, each with an optional object.

#include <QString>
#include <functional>
#include <vector>
#include <stdexcept>

#include "Object.h"
#include "Text.h"
#include "Types.h"

class TStream;

// Raised for an index out of range, a change not allowed on a sorted list or
// a duplicate a sorted list refuses.
class EStringListError : public std::runtime_error {
public:
    explicit EStringListError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings : public TPersistent {
public:
    TStrings() = default;
    ~TStrings() override = default;
    QString ClassName() const override { return QStringLiteral("TStrings"); }

    // Storage, supplied by each kind of list.
    virtual Integer GetCount() const = 0;
    virtual QString Get(Integer Index) const = 0;
    virtual void Put(Integer Index, const QString& S);
    virtual TObject* GetObject(Integer Index) const;
    virtual void PutObject(Integer Index, TObject* AObject);
    virtual void Insert(Integer Index, const QString& S) = 0;
    virtual void InsertObject(Integer Index, const QString& S, TObject* AObject);
    virtual void Delete(Integer Index) = 0;
    virtual void Clear() = 0;
    virtual void Exchange(Integer Index1, Integer Index2);

    // Appends S (a sorted list puts it in its place); returns its index.
    virtual Integer Add(const QString& S);
    virtual Integer AddObject(const QString& S, TObject* AObject);
    void Append(const QString& S) { Add(S); }
    void AddStrings(const TStrings* Strings);
    void Move(Integer CurIndex, Integer NewIndex);

    // Index of the first string equal to S (letter case by CompareStrings), -1 when none.
    virtual Integer IndexOf(const QString& S) const;
    Integer IndexOfName(const QString& Name) const;
    Integer IndexOfObject(const TObject* AObject) const;
    bool Equals(const TStrings* Strings) const;

    // Copies the strings and objects of another TStrings.
    void Assign(const TPersistent* Source) override;

    // Changes between BeginUpdate and the matching EndUpdate are reported once.
    void BeginUpdate();
    void EndUpdate();
    Integer UpdateCount() const { return updateCount_; }

    Integer Count() const { return GetCount(); }
    QString Strings(Integer Index) const { return Get(Index); }
    void SetStrings(Integer Index, const QString& S) { Put(Index, S); }
    QString operator[](Integer Index) const { return Get(Index); }
    TObject* Objects(Integer Index) const { return GetObject(Index); }
    void SetObjects(Integer Index, TObject* AObject) { PutObject(Index, AObject); }

    // Name=value lines: the name is the text before the first
    // NameValueSeparator (empty when there is none).
    QString Names(Integer Index) const;
    QString Values(const QString& Name) const;
    // An empty value removes the line of that name; otherwise the line is
    // changed, or appended when there is none.
    void SetValues(const QString& Name, const QString& Value);
    QString ValueFromIndex(Integer Index) const;
    void SetValueFromIndex(Integer Index, const QString& Value);

    // Every line followed by LineBreak. Setting it splits at CR LF, LF or CR.
    QString Text() const;
    virtual void SetText(const QString& Value);

    // The lines joined by Delimiter; a line is quoted with QuoteChar (inner
    // quote characters doubled) when it holds the delimiter, the quote
    // character or, unless StrictDelimiter, a character up to U+0020. A list
    // of one empty line gives two quote characters.
    QString DelimitedText() const;
    // Splits at Delimiter and, unless StrictDelimiter, also at blanks and
    // control characters, which are skipped around items. A quoted item runs
    // to its closing quote; a delimiter at the very end adds an empty item.
    void SetDelimitedText(const QString& Value);
    // DelimitedText with "," and '"' and no strict delimiter.
    QString CommaText() const;
    void SetCommaText(const QString& Value);

    QChar Delimiter() const { return delimiter_; }
    void SetDelimiter(QChar C) { delimiter_ = C; }
    QChar QuoteChar() const { return quoteChar_; }
    void SetQuoteChar(QChar C) { quoteChar_ = C; }
    bool StrictDelimiter() const { return strictDelimiter_; }
    void SetStrictDelimiter(bool B) { strictDelimiter_ = B; }
    QChar NameValueSeparator() const { return nameValueSeparator_; }
    void SetNameValueSeparator(QChar C) { nameValueSeparator_ = C; }
    QString LineBreak() const { return lineBreak_; }
    void SetLineBreak(const QString& S) { lineBreak_ = S; }

    // Reads a text file whole: a byte-order mark selects UTF-8, UTF-16LE or
    // UTF-16BE, anything else is read as Windows-1252. On failure the list is
    // unchanged, false is returned and Error (when given) says why.
    bool LoadFromFile(const QString& FileName, QString* Error = nullptr);
    // Writes Text() whole (beside the file, then renamed over it). Without an
    // encoding the one of the last LoadFromFile is kept (Windows-1252 for a
    // list never loaded); when the text does not fit Windows-1252 it is
    // written as UTF-8 with a byte-order mark, so that nothing is lost.
    bool SaveToFile(const QString& FileName, QString* Error = nullptr) const;
    bool SaveToFile(const QString& FileName, TTextEncoding Encoding, QString* Error = nullptr) const;
    // The same from the stream's current position to its end, and into a
    // stream at its position.
    void LoadFromStream(TStream* Stream);
    void SaveToStream(TStream* Stream) const;
    void SaveToStream(TStream* Stream, TTextEncoding Encoding) const;
    TTextEncoding Encoding() const { return encoding_; }
    bool WriteBOM() const { return writeBOM_; }
    void SetWriteBOM(bool B) { writeBOM_ = B; }

protected:
    // Compares two strings of the list: letter case ignored unless a
    // subclass says otherwise.
    virtual int CompareStrings(const QString& S1, const QString& S2) const;
    // Called when the first BeginUpdate starts and the last EndUpdate ends.
    virtual void SetUpdateState(bool Updating) {}
    [[noreturn]] void Error(const QString& Message, Integer Index) const;

private:
    QByteArray EncodedText(TTextEncoding Encoding, bool Explicit) const;
    void SetTextFromBytes(const QByteArray& Bytes);

    Integer updateCount_ = 0;
    QChar delimiter_ = QLatin1Char(',');
    QChar quoteChar_ = QLatin1Char('"');
    QChar nameValueSeparator_ = QLatin1Char('=');
    bool strictDelimiter_ = false;
    QString lineBreak_ = QStringLiteral("\r\n");
    TTextEncoding encoding_ = TTextEncoding::ANSI;
    bool writeBOM_ = true;
};

class TStringList : public TStrings {
public:
    TStringList();
    explicit TStringList(bool OwnsObjects);
    ~TStringList() override;
    QString ClassName() const override { return QStringLiteral("TStringList"); }

    Integer GetCount() const override;
    QString Get(Integer Index) const override;
    void Put(Integer Index, const QString& S) override;
    TObject* GetObject(Integer Index) const override;
    void PutObject(Integer Index, TObject* AObject) override;
    void Insert(Integer Index, const QString& S) override;
    void InsertObject(Integer Index, const QString& S, TObject* AObject) override;
    void Delete(Integer Index) override;
    void Clear() override;
    void Exchange(Integer Index1, Integer Index2) override;
    Integer Add(const QString& S) override;
    Integer AddObject(const QString& S, TObject* AObject) override;
    Integer IndexOf(const QString& S) const override;

    // Binary search of a sorted list: true when S is there; Index is its
    // first position, or where it would go.
    bool Find(const QString& S, Integer& Index) const;
    void Sort();
    // Sorts with Compare(list, i, j) < 0 when string i comes before string j.
    using TStringListSortCompare = std::function<int(TStringList* List, Integer Index1, Integer Index2)>;
    void CustomSort(const TStringListSortCompare& Compare);

    bool Sorted() const { return sorted_; }
    void SetSorted(bool Value);
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates Value) { duplicates_ = Value; }
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool Value);
    // An owning list deletes the objects of the strings it deletes or clears.
    bool OwnsObjects() const { return ownsObjects_; }
    void SetOwnsObjects(bool Value) { ownsObjects_ = Value; }

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    int CompareStrings(const QString& S1, const QString& S2) const override;
    void SetUpdateState(bool Updating) override;
    virtual void Changed();
    virtual void Changing();

private:
    struct Item {
        QString text;
        TObject* object = nullptr;
    };
    void CheckIndex(Integer Index, bool AllowEnd = false) const;
    void InsertItem(Integer Index, const QString& S, TObject* AObject);
    void SortItems(const std::function<bool(const Item&, const Item&)>& Less);

    std::vector<Item> items_;
    bool sorted_ = false;
    TDuplicates duplicates_ = dupIgnore;
    bool caseSensitive_ = false;
    bool ownsObjects_ = false;
};
