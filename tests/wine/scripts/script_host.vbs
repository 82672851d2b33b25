' A VBScript host's use of both classes: the name and version, the Filter
' Maker closed with OK (its list reaches the folder), and variables passed by
' reference to ShowEditFilterDialog: OK hands back the text as typed, Cancel
' leaves the variable alone, a number variable takes the text only on OK.
' The driver closes every dialog from outside.
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
    Check what & ": Err " & Err.Number & ", expected " & expected, Err.Number = expected
    Err.Clear
End Sub

' Starts the driver without waiting: it acts once the dialog is up.
Function Drive(arguments)
    Set Drive = sh.Exec("""" & driver & """ " & arguments & " 20")
End Function

' The call raised no error, and the driver ended early, which it does only
' when it saw the dialog close. (Wine's script host has neither WScript.Sleep
' nor the exit code of an Exec.)
Sub ExpectDriven(what, driving)
    Dim started
    ExpectErr what, 0
    started = Timer
    Do While driving.Status = 0 And Abs(Timer - started) < 10
    Loop
    Check "  ... the dialog ran and the driver closed it", driving.Status <> 0
End Sub

Dim fm, ef, obj, r, s, n, v, folder, driving
Set fm = CreateObject("kvexfilt.clsFMfilter")
Set ef = CreateObject("kvexfilt.clsEFfilter")
ExpectErr "CreateObject of both classes", 0
folder = fso.BuildPath(fso.GetSpecialFolder(2), "kvex-script-" & fso.GetTempName())
fso.CreateFolder folder

For Each obj In Array(fm, ef)
    v = obj.PlugNameVersion
    Check "PlugNameVersion is the String """ & Replace(v & "", vbTab, "<tab>") & """", _
          TypeName(v) = "String" And v = "kvexfilt" & vbTab & "1.0.0"
Next

Set driving = Drive("press ""Filter Maker - ()"" ""O&K""")
r = fm.ShowFilterMakerDialog("", folder)
ExpectDriven "ShowFilterMakerDialog, OK", driving
Check "  ... returns True (" & r & ") and writes filters.dlk", _
      TypeName(r) = "Boolean" And r = True And fso.FileExists(fso.BuildPath(folder, "filters.dlk"))
r = fm.ShowFilterMakerDialog("")
ExpectErr "ShowFilterMakerDialog with one argument", 450

s = "*.htm"
Set driving = Drive("edit-filter ok "" a*""")
r = ef.ShowEditFilterDialog(s, True)
ExpectDriven "ShowEditFilterDialog, OK", driving
Check "  ... returns True and the typed text with its space (" & r & ", """ & s & """)", r = True And s = " a*"
Set driving = Drive("edit-filter cancel ""changed""")
r = ef.ShowEditFilterDialog(s, False)
ExpectDriven "ShowEditFilterDialog, Cancel", driving
Check "  ... returns False and leaves the variable (" & r & ", """ & s & """)", r = False And s = " a*"

n = 42
Set driving = Drive("edit-filter cancel ""changed""")
r = ef.ShowEditFilterDialog(n, True)
ExpectDriven "ShowEditFilterDialog with a number variable, Cancel", driving
Check "  ... leaves the number (" & TypeName(n) & " " & n & ")", r = False And TypeName(n) = "Integer" And n = 42
' OK with the text as it came in still hands back the dialog's text.
Set driving = Drive("edit-filter ok ""42""")
r = ef.ShowEditFilterDialog(n, False)
ExpectDriven "ShowEditFilterDialog with a number variable, OK unedited", driving
Check "  ... replaces it with the text (" & TypeName(n) & " " & n & ")", r = True And TypeName(n) = "String" And n = "42"

fso.DeleteFolder folder, True
If failures = 0 Then out.WriteLine "PASS" Else out.WriteLine "FAIL"
out.Close
WScript.Quit failures
