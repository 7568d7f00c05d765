"""The import check reads objdump's import tables and names every function that the
list of Windows 7's functions does not hold."""
from tools.check_imports import allowed, imports, unlisted

DUMP = """
The Import Tables (interpreted .idata section contents)
 vma:            Hint    Time      Forward  DLL       First
                 Table   Stamp     Chain    Name      Thunk
 0003d000\t0003d0b8 00000000 00000000 0003ee94 0003d820

\tDLL Name: USER32.dll
\tvma:  Hint/Ord Member-Name Bound-To
\t3e8b2\t  409  GetDpiForWindow
\t3e8c2\t  438  CreateWindowExA

 0003d064\t0003d568 00000000 00000000 0003f118 0003dcd0

\tDLL Name: KERNEL32.dll
\tvma:  Hint/Ord Member-Name Bound-To
\t3e9b2\t  12  GetTickCount
\t3e9c2\t  77

 00000000\t00000000 00000000 00000000 00000000 00000000

The Function Table (interpreted .pdata section contents)
 vma:\t\t\tBeginAddress\t EndAddress\t  UnwindData
"""

LIST = """# a comment
user32.dll CreateWindowExA
kernel32.dll GetTickCount   # and one after an entry
"""


def test_reads_each_dlls_functions_by_name_and_by_ordinal():
    assert imports(DUMP) == {("user32.dll", "GetDpiForWindow"), ("user32.dll", "CreateWindowExA"),
                             ("kernel32.dll", "GetTickCount"), ("kernel32.dll", "ordinal-77")}


def test_names_what_the_list_lacks_whatever_the_case_of_the_dll():
    assert allowed(LIST) == {("user32.dll", "CreateWindowExA"), ("kernel32.dll", "GetTickCount")}
    assert unlisted(DUMP, LIST) == [("kernel32.dll", "ordinal-77"), ("user32.dll", "GetDpiForWindow")]


def test_a_program_within_the_list_passes():
    assert unlisted(DUMP, LIST + "user32.dll GetDpiForWindow\nkernel32.dll ordinal-77\n") == []
