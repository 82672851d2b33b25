' A script host's use and misuse of both classes. Use: the name and version,
' the Filter Maker with and without the optional arguments, and a variable
' passed by reference to ShowEditFilterDialog, which OK replaces with the text
' exactly as typed and Cancel or the close box leave alone. Misuse, one call of
' each kind: wrong argument counts and types, a member that does not exist, an
' assignment to a method; each must fail with a script error (never end the
' host) or, where the value coerces, run its dialog. The driver closes every
' dialog from outside.
' Arguments: result file, driver exe. Wine's cscript ends with 0 even on a
' script error, so every step is checked here and the verdict written to the
' result file.
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

Dim fm, ef, obj, r, s, n, v, folder, listFile, driving
Set fm = CreateObject("kvexfilt.clsFMfilter")
Set ef = CreateObject("kvexfilt.clsEFfilter")
ExpectErr "CreateObject of both classes", 0
' A private folder: the list file, and the folder numbers name relative to here.
folder = fso.BuildPath(fso.GetSpecialFolder(2), "kvex-script-" & fso.GetTempName())
fso.CreateFolder folder
sh.CurrentDirectory = folder

' ---- name and version ----
For Each obj In Array(fm, ef)
    v = Empty
    v = obj.PlugNameVersion
    Check "PlugNameVersion is the String """ & Replace(v & "", vbTab, "<tab>") & """", _
          TypeName(v) = "String" And v = "kvexfilt" & vbTab & "1.0.0"
    ExpectErr "  ... without an error", 0
Next

' ---- Filter Maker ----
Set driving = Drive("close " & kFmCaption & " 20")
r = fm.ShowFilterMakerDialog("", "")
ExpectErr "two arguments, the close box (dialog)", 0
ExpectDriven driving
Check "  ... returns True (" & r & ")", TypeName(r) = "Boolean" And r = True

listFile = fso.BuildPath(folder, "web.plk")
With fso.CreateTextFile(listFile, True)
    .Write "*.htm;*.html" & vbCrLf & "*.txt" & vbCrLf
    .Close
End With
Set driving = Drive("press ""Filter Maker - (web.plk)"" ""&Cancel"" 20")
r = fm.ShowFilterMakerDialog("*.htm;*.html", folder, "", listFile)
ExpectErr "four arguments with a list file named in the caption, Cancel (dialog)", 0
ExpectDriven driving
Check "  ... returns True (" & r & ")", r = True
Check "  ... and writes no filters.dlk", Not fso.FileExists(fso.BuildPath(folder, "filters.dlk"))

' ---- Edit Filter, the text by reference ----
s = "*.htm"
Set driving = Drive("edit-filter ok "" a*"" 20")
r = ef.ShowEditFilterDialog(s, True)
ExpectErr "ShowEditFilterDialog, OK (dialog)", 0
ExpectDriven driving
Check "  ... returns True and the typed text with its space (" & r & ", """ & s & """)", _
      TypeName(r) = "Boolean" And r = True And s = " a*"

s = "*.htm"
Set driving = Drive("edit-filter cancel ""changed"" 20")
r = ef.ShowEditFilterDialog(s, False)
ExpectErr "ShowEditFilterDialog, Cancel (dialog)", 0
ExpectDriven driving
Check "  ... returns False and leaves the variable (" & r & ", """ & s & """)", r = False And s = "*.htm"

s = "*.txt"
Set driving = Drive("edit-filter close ""changed"" 20")
r = ef.ShowEditFilterDialog(s, True)
ExpectErr "ShowEditFilterDialog, the close box (dialog)", 0
ExpectDriven driving
Check "  ... returns False and leaves the variable (" & r & ", """ & s & """)", r = False And s = "*.txt"

' ---- misuse ----
r = fm.ShowFilterMakerDialog("")
ExpectErr "ShowFilterMakerDialog with one argument", kWrongArgCount
r = fm.ShowFilterMakerDialog(Null, "")
ExpectErr "ShowFilterMakerDialog with Null", kTypeMismatch

Set driving = Drive("close " & kFmCaption & " 20")
r = Empty
r = fm.ShowFilterMakerDialog(5, 7.5)
ExpectErr "ShowFilterMakerDialog with numbers (dialog)", 0
ExpectDriven driving
Check "  ... returns True (" & r & ")", r = True

s = fm.NoSuchMember
ExpectErr "a member that does not exist", kNoSuchMember
fm.PlugNameVersion = "x"
ExpectErr "assigning to PlugNameVersion", kNoSuchMember

s = "*.htm"
r = ef.ShowEditFilterDialog(s, True, True)
ExpectErr "ShowEditFilterDialog with three arguments", kWrongArgCount
r = ef.ShowEditFilterDialog(s, "maybe")
ExpectErr "ShowEditFilterDialog with a word for bEditPrefix", kTypeMismatch
Check "  ... leaves the variable (""" & s & """)", s = "*.htm"

v = Null
r = ef.ShowEditFilterDialog(v, True)
ExpectErr "ShowEditFilterDialog with a Null variable", kTypeMismatch
Check "  ... leaves it Null", IsNull(v)

n = 42
Set driving = Drive("edit-filter cancel ""changed"" 20")
r = Empty
r = ef.ShowEditFilterDialog(n, True)
ExpectErr "ShowEditFilterDialog with a number variable, Cancel (dialog)", 0
ExpectDriven driving
Check "  ... returns False and leaves the number (" & r & ", " & TypeName(n) & " " & n & ")", _
      r = False And TypeName(n) = "Integer" And n = 42

' OK with the text as it came in still hands back the dialog's text.
Set driving = Drive("edit-filter ok ""42"" 20")
r = Empty
r = ef.ShowEditFilterDialog(n, False)
ExpectErr "ShowEditFilterDialog with a number variable, OK unedited (dialog)", 0
ExpectDriven driving
Check "  ... returns True and the text replaces the number (" & r & ", " & TypeName(n) & " " & n & ")", _
      r = True And TypeName(n) = "String" And n = "42"

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
