' The installed component as a script host meets it: both classes by ProgID,
' their name and version, and the Filter Maker with its defaults (the Filters
' folder and position.ini beside the DLL), which the driver cancels.
' Arguments: result file, driver exe, expected version ("1.0.0").
Option Explicit
On Error Resume Next

Dim fso, sh, out, failures, driver, fm, ef, obj, v, driving, started
Set fso = CreateObject("Scripting.FileSystemObject")
Set sh = CreateObject("WScript.Shell")
Set out = fso.CreateTextFile(WScript.Arguments(0), True)
driver = WScript.Arguments(1)
failures = 0

Sub Check(what, passed)
    If passed Then
        out.WriteLine "ok   " & what
    Else
        out.WriteLine "FAIL " & what & " (Err " & Err.Number & ")"
        failures = failures + 1
    End If
    Err.Clear
End Sub

Set fm = CreateObject("kvexfilt.clsFMfilter")
Check "CreateObject kvexfilt.clsFMfilter", Err.Number = 0
Set ef = CreateObject("kvexfilt.clsEFfilter")
Check "CreateObject kvexfilt.clsEFfilter", Err.Number = 0
For Each obj In Array(fm, ef)
    v = Empty
    v = obj.PlugNameVersion
    Check "PlugNameVersion " & Replace(v & "", vbTab, "<tab>"), _
          Err.Number = 0 And v = "kvexfilt" & vbTab & WScript.Arguments(2)
Next

Set driving = sh.Exec("""" & driver & """ press ""Filter Maker - ()"" ""&Cancel"" 20")
v = Empty
v = fm.ShowFilterMakerDialog("", "")
Check "ShowFilterMakerDialog with its defaults returns True", Err.Number = 0 And v = True
started = Timer
Do While driving.Status = 0 And Abs(Timer - started) < 10
Loop
Check "the dialog opened and the driver cancelled it", driving.Status <> 0

out.WriteLine "failures " & failures
out.Close
WScript.Quit failures
