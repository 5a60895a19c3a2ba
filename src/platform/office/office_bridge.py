# The spreadsheet and word-processor automation servers ("excel.application",
# "word.application") of the platform layer, answered by the office suite run
# headless. The program talks to this script over its standard input and
# output, one JSON request and one JSON answer per line:
#   {"op": "get" | "set" | "call", "obj": id, "name": member, "args": [...]}
# or {"op": "create", "args": [progid]} for a new application object.
# Answers: {"value": v} or {"error": text}. An object is passed as
# {"obj": id}. Values are null (empty), booleans, numbers, strings and lists
# of lists (two-dimensional 1-based arrays). One office process serves every
# application object; it ends when the input ends.
import json
import os
import subprocess
import sys
import tempfile
import time

import uno
from com.sun.star.beans import PropertyValue
from com.sun.star.connection import NoConnectException

OBJECTS = {}
NEXT_ID = [1]


def reg(o):
    i = NEXT_ID[0]
    NEXT_ID[0] += 1
    OBJECTS[i] = o
    return {"obj": i}


def prop(name, value):
    p = PropertyValue()
    p.Name = name
    p.Value = value
    return p


def url(path):
    return uno.systemPathToFileUrl(os.path.abspath(path))


FILTERS = {
    ".xlsx": "Calc MS Excel 2007 XML", ".xls": "MS Excel 97", ".ods": "calc8", ".csv": "Text - txt - csv (StarCalc)",
    ".docx": "MS Word 2007 XML", ".doc": "MS Word 97", ".odt": "writer8", ".rtf": "Rich Text Format",
    ".txt": "Text",
}


class Office:
    """One headless office process and its desktop."""

    def __init__(self, profile=None):
        # A profile folder the program keeps makes later starts quicker.
        self.keep = bool(profile)
        self.profile = profile or tempfile.mkdtemp(prefix="arvinto-office-")
        self.pipe = "arvinto%d" % os.getpid()
        self.proc = subprocess.Popen(
            ["soffice", "--headless", "--invisible", "--nologo", "--norestore", "--nodefault",
             "-env:UserInstallation=" + url(self.profile),
             "--accept=pipe,name=%s;urp;StarOffice.ComponentContext" % self.pipe],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        local = uno.getComponentContext()
        resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
        ctx = None
        for _ in range(600):
            try:
                ctx = resolver.resolve("uno:pipe,name=%s;urp;StarOffice.ComponentContext" % self.pipe)
                break
            except NoConnectException:
                if self.proc.poll() is not None:
                    break
                time.sleep(0.1)
        if ctx is None:
            raise RuntimeError("the office suite did not start")
        self.desktop = ctx.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", ctx)

    def load(self, target):
        doc = self.desktop.loadComponentFromURL(target, "_blank", 0, (prop("Hidden", True),))
        if doc is None:
            raise RuntimeError("cannot open " + target)
        return doc

    def quit(self):
        try:
            self.desktop.terminate()
        except Exception:
            pass
        try:
            self.proc.wait(timeout=20)
        except Exception:
            self.proc.kill()
        if not self.keep:
            subprocess.run(["rm", "-rf", self.profile])


def store(doc, path):
    # Written beside the file, then renamed over it: a failed save leaves
    # the former file as it was.
    path = os.path.abspath(path)
    ext = os.path.splitext(path)[1].lower()
    args = (prop("FilterName", FILTERS[ext]), prop("Overwrite", True)) if ext in FILTERS else (prop("Overwrite", True),)
    folder, name = os.path.split(path)
    partial = os.path.join(folder, ".%s.%d.partial%s" % (os.path.splitext(name)[0], os.getpid(), ext))
    try:
        doc.storeToURL(url(partial), args)
        os.replace(partial, path)
    except Exception:
        try:
            os.remove(partial)
        except OSError:
            pass
        raise
    doc.setModified(False)


# ---------------------------------------------------------------- spreadsheet

def col_letters(n):
    s = ""
    while n > 0:
        n, r = divmod(n - 1, 26)
        s = chr(65 + r) + s
    return s


class Excel:
    def __init__(self, office):
        self.office = office
        self.books = []
        self.active = None

    def get(self, name, args):
        if name == "WorkBooks":
            return Books(self)
        if name == "ActiveWorkBook":
            return Book(self, self.active) if self.active is not None else None
        if name == "ActiveCell":
            return ActiveCell()
        raise AttributeError(name)

    def call(self, name, args):
        if name == "Quit":
            for b in self.books:
                try:
                    b.close(True)
                except Exception:
                    pass
            self.books = []
            return None
        raise AttributeError(name)


class ActiveCell:
    def get(self, name, args):
        if name == "Row":
            return 1
        raise AttributeError(name)


class Books:
    def __init__(self, app):
        self.app = app

    def get(self, name, args):
        if name == "Count":
            return len(self.app.books)
        raise AttributeError(name)

    def call(self, name, args):
        if name == "Open":
            doc = self.app.office.load(url(args[0]))
            if not doc.supportsService("com.sun.star.sheet.SpreadsheetDocument"):
                doc.close(True)
                raise RuntimeError("not a workbook: " + args[0])
        elif name == "Add":
            doc = self.app.office.load("private:factory/scalc")
        else:
            raise AttributeError(name)
        self.app.books.append(doc)
        self.app.active = doc
        return Book(self.app, doc)


class Book:
    def __init__(self, app, doc):
        self.app = app
        self.doc = doc

    def get(self, name, args):
        if name in ("WorkSheets", "Sheets"):
            if args:
                return Sheet(self.doc.getSheets().getByIndex(int(args[0]) - 1), self.doc)
            return SheetList(self.doc)
        if name == "ActiveSheet":
            try:
                return Sheet(self.doc.getCurrentController().getActiveSheet(), self.doc)
            except Exception:
                return Sheet(self.doc.getSheets().getByIndex(0), self.doc)
        raise AttributeError(name)

    def set(self, name, value):
        if name == "Saved":
            self.doc.setModified(not value)
            return
        raise AttributeError(name)

    def call(self, name, args):
        if name == "SaveAs":
            store(self.doc, args[0])
            self.path = args[0]
            return None
        if name == "Save":
            store(self.doc, uno.fileUrlToSystemPath(self.doc.getLocation()))
            return None
        if name == "Close":
            self.doc.close(True)
            if self.doc in self.app.books:
                self.app.books.remove(self.doc)
            return None
        raise AttributeError(name)


class SheetList:
    def __init__(self, doc):
        self.doc = doc

    def get(self, name, args):
        if name == "Count":
            return self.doc.getSheets().getCount()
        raise AttributeError(name)

    def call(self, name, args):
        sheets = self.doc.getSheets()
        if name in ("item", "Item"):
            return Sheet(sheets.getByIndex(int(args[0]) - 1), self.doc)
        if name == "Add":
            n = sheets.getCount() + 1
            while sheets.hasByName("Sheet%d" % n):
                n += 1
            sheets.insertNewByName("Sheet%d" % n, sheets.getCount())
            return Sheet(sheets.getByName("Sheet%d" % n), self.doc)
        raise AttributeError(name)


class Sheet:
    def __init__(self, sheet, doc):
        self.sheet = sheet
        self.doc = doc

    def get(self, name, args):
        if name == "Name":
            return self.sheet.getName()
        if name == "UsedRange":
            return UsedRange(self.sheet)
        if name == "Range":
            return Range(self.sheet.getCellRangeByName(args[0]))
        if name == "Rows":
            return Rows(self.sheet)
        raise AttributeError(name)

    def set(self, name, value):
        if name == "Name":
            self.sheet.setName(value)
            return
        raise AttributeError(name)


class UsedRange:
    def __init__(self, sheet):
        self.sheet = sheet

    def get(self, name, args):
        if name != "Address":
            raise AttributeError(name)
        cur = self.sheet.createCursor()
        cur.gotoStartOfUsedArea(False)
        cur.gotoEndOfUsedArea(True)
        a = cur.getRangeAddress()
        first = "$%s$%d" % (col_letters(a.StartColumn + 1), a.StartRow + 1)
        last = "$%s$%d" % (col_letters(a.EndColumn + 1), a.EndRow + 1)
        return first if first == last else first + ":" + last


def cell_value(cell):
    from com.sun.star.table.CellContentType import EMPTY, TEXT, VALUE
    t = cell.getType()
    if t == EMPTY:
        return None
    if t == TEXT:
        return cell.getString()
    if t == VALUE:
        return cell.getValue()
    err = cell.getError()
    if err:
        return {"error": err}
    return cell.getString() if cell.getString() != "" else cell.getValue()


class Range:
    def __init__(self, rng):
        self.rng = rng

    def get(self, name, args):
        if name == "Value":
            a = self.rng.getRangeAddress()
            rows = []
            for r in range(a.EndRow - a.StartRow + 1):
                rows.append([cell_value(self.rng.getCellByPosition(c, r)) for c in range(a.EndColumn - a.StartColumn + 1)])
            return rows
        raise AttributeError(name)

    def set(self, name, value):
        if name != "Value":
            raise AttributeError(name)
        a = self.rng.getRangeAddress()
        for r, row in enumerate(value):
            for c, v in enumerate(row):
                if r > a.EndRow - a.StartRow or c > a.EndColumn - a.StartColumn:
                    continue
                cell = self.rng.getCellByPosition(c, r)
                if v is None or v == "":
                    cell.setString("")
                elif isinstance(v, (int, float)) and not isinstance(v, bool):
                    cell.setValue(v)
                else:
                    cell.setString(str(v))


class Rows:
    def __init__(self, sheet):
        self.sheet = sheet

    def call(self, name, args):
        if name == "Cells":
            return Cell(self.sheet.getCellByPosition(int(args[1]) - 1, int(args[0]) - 1))
        raise AttributeError(name)


class Cell:
    def __init__(self, cell):
        self.cell = cell

    def get(self, name, args):
        if name == "Value":
            return cell_value(self.cell)
        raise AttributeError(name)


# ------------------------------------------------------------- word processor

def offset_cursor(text, offset):
    cur = text.createTextCursor()
    cur.gotoStart(False)
    while offset > 0:
        step = min(offset, 32000)
        if not cur.goRight(step, False):
            break
        offset -= step
    return cur


def offset_of(text, rng):
    cur = text.createTextCursorByRange(text.getStart())
    cur.gotoRange(rng, True)
    return len(cur.getString())


class Word:
    def __init__(self, office):
        self.office = office
        self.docs = []
        self.active = None
        self.cursor = None

    def get(self, name, args):
        if name == "Documents":
            return Documents(self)
        if name == "ActiveDocument":
            return Document(self, self.active) if self.active is not None else None
        if name == "Selection":
            return Selection(self)
        raise AttributeError(name)

    def call(self, name, args):
        if name == "Quit":
            for d in self.docs:
                try:
                    d.close(True)
                except Exception:
                    pass
            self.docs = []
            return None
        raise AttributeError(name)

    def activate(self, doc):
        self.docs.append(doc)
        self.active = doc
        self.cursor = doc.getText().createTextCursor()
        self.cursor.gotoStart(False)


class Documents:
    def __init__(self, app):
        self.app = app

    def get(self, name, args):
        if name == "Count":
            return len(self.app.docs)
        raise AttributeError(name)

    def call(self, name, args):
        if name == "Open":
            doc = self.app.office.load(url(args[0]))
            if not doc.supportsService("com.sun.star.text.TextDocument"):
                doc.close(True)
                raise RuntimeError("not a text document: " + args[0])
        elif name == "Add":
            doc = self.app.office.load("private:factory/swriter")
        else:
            raise AttributeError(name)
        self.app.activate(doc)
        return Document(self.app, doc)


class Selection:
    def __init__(self, app):
        self.app = app

    def get(self, name, args):
        if name == "End":
            return offset_of(self.app.active.getText(), self.app.cursor)
        raise AttributeError(name)

    def call(self, name, args):
        text = self.app.active.getText()
        if name == "TypeText":
            text.insertString(self.app.cursor, args[0], False)
            return None
        if name == "TypeParaGraph" or name == "TypeParagraph":
            from com.sun.star.text.ControlCharacter import PARAGRAPH_BREAK
            text.insertControlCharacter(self.app.cursor, PARAGRAPH_BREAK, False)
            return None
        if name == "Goto":
            # what 3 (a line) with which -1 (the last): the end of the document.
            self.app.cursor.gotoEnd(False)
            return None
        raise AttributeError(name)


class TextRange:
    def __init__(self, rng):
        self.rng = rng

    def get(self, name, args):
        if name == "ParagraphFormat":
            return ParagraphFormat(self.rng)
        raise AttributeError(name)

    def call(self, name, args):
        if name == "InsertAfter":
            self.rng.getText().insertString(self.rng.getEnd(), args[0], False)
            return None
        raise AttributeError(name)


class ParagraphFormat:
    def __init__(self, rng):
        self.rng = rng

    def set(self, name, value):
        if name != "Alignment":
            raise AttributeError(name)
        from com.sun.star.style.ParagraphAdjust import LEFT, CENTER, RIGHT
        cur = self.rng.getText().createTextCursorByRange(self.rng)
        cur.setPropertyValue("ParaAdjust", {1: CENTER, 2: RIGHT}.get(int(value), LEFT))


class Document:
    def __init__(self, app, doc):
        self.app = app
        self.doc = doc

    def get(self, name, args):
        if name == "Bookmarks":
            return Bookmarks(self.doc)
        if name == "Paragraphs":
            return Paragraphs(self.doc)
        if name == "Tables":
            return Tables(self.doc)
        raise AttributeError(name)

    def set(self, name, value):
        if name == "ShowSpellingErrors":
            return
        raise AttributeError(name)

    def call(self, name, args):
        text = self.doc.getText()
        if name == "Goto":
            bm = self.doc.getBookmarks().getByName(args[1])
            return TextRange(bm.getAnchor())
        if name == "Range":
            start = offset_cursor(text, int(args[0]))
            return TextRange(start)
        if name == "SaveAs":
            store(self.doc, args[0])
            return None
        raise AttributeError(name)


class Bookmarks:
    def __init__(self, doc):
        self.doc = doc

    def call(self, name, args):
        if name == "Exists":
            return self.doc.getBookmarks().hasByName(args[0])
        raise AttributeError(name)


class Paragraphs:
    def __init__(self, doc):
        self.doc = doc

    def call(self, name, args):
        if name == "Add":
            from com.sun.star.text.ControlCharacter import PARAGRAPH_BREAK
            text = self.doc.getText()
            text.insertControlCharacter(text.getEnd(), PARAGRAPH_BREAK, False)
            return None
        raise AttributeError(name)


class Tables:
    def __init__(self, doc):
        self.doc = doc

    def call(self, name, args):
        if name != "Add":
            raise AttributeError(name)
        rng = OBJECTS[args[0]["obj"]].rng
        rows, cols = int(args[1]), int(args[2])
        table = self.doc.createInstance("com.sun.star.text.TextTable")
        table.initialize(rows, cols)
        rng.getText().insertTextContent(rng, table, False)
        return Table(table)


class Table:
    def __init__(self, table):
        self.table = table

    def call(self, name, args):
        if name == "Cell":
            cell = self.table.getCellByPosition(int(args[1]) - 1, int(args[0]) - 1)
            return CellRange(cell)
        raise AttributeError(name)


class CellRange:
    def __init__(self, cell):
        self.cell = cell

    def get(self, name, args):
        if name == "Range":
            text = self.cell.getText()
            return TextRange(text.createTextCursorByRange(text.getEnd()))
        raise AttributeError(name)


# ------------------------------------------------------------------ dispatch

def plain(v):
    if v is None or isinstance(v, (bool, int, float, str)):
        return v
    if isinstance(v, dict):
        return v
    if isinstance(v, (list, tuple)):
        return [plain(x) for x in v]
    return reg(v)


def main():
    try:
        office = Office(sys.argv[1] if len(sys.argv) > 1 else None)
    except Exception as e:
        print(json.dumps({"error": "server not found: %s" % e}), flush=True)
        return
    print(json.dumps({"value": "ready"}), flush=True)
    try:
        for line in sys.stdin:
            if not line.strip():
                continue
            req = json.loads(line)
            try:
                op = req["op"]
                args = req.get("args", [])
                if op == "create":
                    progid = args[0].lower()
                    v = Excel(office) if progid == "excel.application" else Word(office)
                else:
                    o = OBJECTS[req["obj"]]
                    if op == "get":
                        v = o.get(req["name"], args)
                    elif op == "set":
                        o.set(req["name"], args[0])
                        v = None
                    elif op == "release":
                        OBJECTS.pop(req["obj"], None)
                        v = None
                    else:
                        v = o.call(req["name"], args)
                answer = {"value": plain(v)}
            except Exception as e:
                answer = {"error": "%s: %s" % (type(e).__name__, e)}
            print(json.dumps(answer), flush=True)
    finally:
        office.quit()


if __name__ == "__main__":
    main()
