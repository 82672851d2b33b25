' A careless script: wrong argument counts and types, members that do not
' exist, an assignment to a method. Each call must fail with a script error
' (never end the host) or, where the value coerces to text, run its dialog,
' which the driver then closes.
' Arguments: result file, driver exe.
Option Explicit
On Error Resume Next

Dim fso, sh, out, failures, driver
Set fso = CreateObject("Scripting.FileSystemObject")
Set sh = CreateObject("WScript.Shell")
Set out = fso.CreateTextFile(WScript.Arguments(0), True)
driver = WScript.Arguments(1)
failures = 0

Sub Check(what, passed)
    If passed Then
        out.WriteLine "ok   " & what
    Else
        out.WriteLine "FAIL " & what
        failures = failures + 1
    End If
End Sub

' The script error a call raised, against the one expected (0: none).
Sub ExpectErr(what, expected)
    Dim seen
    seen = Err.Number
    Check what & ": Err " & seen & " (&H" & Hex(seen) & "), expected " & expected, seen = expected
    Err.Clear
End Sub

' Starts the driver without waiting: it acts once the dialog is up.
Function Drive(arguments)
    Set Drive = sh.Exec("""" & driver & """ " & arguments)
End Function

' The driver ends early only when it found the dialog and saw it close;
' otherwise it waits out its 20 seconds. (Wine's script host has neither
' WScript.Sleep nor the exit code of an Exec.)
Sub ExpectDriven(driving)
    Dim started
    started = Timer
    Do While driving.Status = 0 And Abs(Timer - started) < 10
    Loop
    Check "  ... the dialog ran and the driver closed it", driving.Status <> 0
    Err.Clear
End Sub

Const kWrongArgCount = 450
Const kTypeMismatch = 13
Const kNoSuchMember = 438
Const kFmCaption = """Filter Maker - ()"""

Dim fm, ef, r, s, n, v, o, folder, driving
Set fm = CreateObject("kvexfilt.clsFMfilter")
Set ef = CreateObject("kvexfilt.clsEFfilter")
Check "CreateObject (Err " & Err.Number & ")", Err.Number = 0 And IsObject(fm) And IsObject(ef)
Err.Clear
' Numbers and Empty name a folder relative to here; keep it private.
folder = fso.BuildPath(fso.GetSpecialFolder(2), "kvex-misuse-" & fso.GetTempName())
fso.CreateFolder folder
sh.CurrentDirectory = folder

' ---- Filter Maker ----
r = fm.ShowFilterMakerDialog("")
ExpectErr "ShowFilterMakerDialog with one argument", kWrongArgCount
r = fm.ShowFilterMakerDialog("", "", "", "", "")
ExpectErr "ShowFilterMakerDialog with five arguments", kWrongArgCount
r = fm.ShowFilterMakerDialog(Null, "")
ExpectErr "ShowFilterMakerDialog with Null", kTypeMismatch
r = fm.ShowFilterMakerDialog(fm, "")
ExpectErr "ShowFilterMakerDialog with an object", kTypeMismatch
r = fm.ShowFilterMakerDialog(Array("*.a", "*.b"), "")
ExpectErr "ShowFilterMakerDialog with an array", kTypeMismatch

Set driving = Drive("close " & kFmCaption & " 20")
r = Empty
r = fm.ShowFilterMakerDialog(5, 7.5)
ExpectErr "ShowFilterMakerDialog with numbers (dialog)", 0
ExpectDriven driving
Check "  ... returns True (" & r & ")", r = True

Set driving = Drive("close " & kFmCaption & " 20")
r = Empty
r = fm.ShowFilterMakerDialog("", folder, Empty)
ExpectErr "ShowFilterMakerDialog with Empty for an optional argument (dialog)", 0
ExpectDriven driving
Check "  ... returns True (" & r & ")", r = True

s = fm.NoSuchMember
ExpectErr "a member that does not exist", kNoSuchMember
fm.PlugNameVersion = "x"
ExpectErr "assigning to PlugNameVersion", kNoSuchMember
s = fm.PlugNameVersion("extra")
ExpectErr "PlugNameVersion with an argument", kWrongArgCount
s = fm.PlugNameVersion
ExpectErr "PlugNameVersion still answers", 0

' ---- Edit Filter ----
s = "*.htm"
r = ef.ShowEditFilterDialog(s)
ExpectErr "ShowEditFilterDialog with one argument", kWrongArgCount
r = ef.ShowEditFilterDialog(s, True, True)
ExpectErr "ShowEditFilterDialog with three arguments", kWrongArgCount
r = ef.ShowEditFilterDialog(s, "maybe")
ExpectErr "ShowEditFilterDialog with a word for bEditPrefix", kTypeMismatch
Check "  ... leaves the variable (""" & s & """)", s = "*.htm"

v = Null
r = ef.ShowEditFilterDialog(v, True)
ExpectErr "ShowEditFilterDialog with a Null variable", kTypeMismatch
Check "  ... leaves it Null", IsNull(v)
Set o = fm
r = ef.ShowEditFilterDialog(o, True)
ExpectErr "ShowEditFilterDialog with an object variable", kTypeMismatch
Check "  ... leaves it the object", IsObject(o)

n = 42
Set driving = Drive("edit-filter cancel ""changed"" 20")
r = Empty
r = ef.ShowEditFilterDialog(n, True)
ExpectErr "ShowEditFilterDialog with a number variable, Cancel (dialog)", 0
ExpectDriven driving
Check "  ... returns False and leaves the number (" & r & ", " & TypeName(n) & " " & n & ")", _
      r = False And TypeName(n) = "Integer" And n = 42

Set driving = Drive("edit-filter ok ""*.ok"" 20")
r = Empty
r = ef.ShowEditFilterDialog(n, False)
ExpectErr "ShowEditFilterDialog with a number variable, OK (dialog)", 0
ExpectDriven driving
Check "  ... returns True and the text replaces the number (" & r & ", " & TypeName(n) & " " & n & ")", _
      r = True And TypeName(n) = "String" And n = "*.ok"

Set driving = Drive("edit-filter ok ""*.lit"" 20")
r = Empty
r = ef.ShowEditFilterDialog("*.htm", True)
ExpectErr "ShowEditFilterDialog with a literal, OK (dialog)", 0
ExpectDriven driving
Check "  ... returns True (" & r & ")", r = True

sh.CurrentDirectory = fso.GetSpecialFolder(2)
fso.DeleteFolder folder, True
If failures = 0 Then
    out.WriteLine "PASS"
    out.Close
    WScript.Quit 0
End If
out.WriteLine "FAIL"
out.Close
WScript.Quit 1
