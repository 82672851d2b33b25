' A script host opens the Filter Maker with and without the optional
' arguments; the window is closed from outside by the driver.
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

' Starts the driver without waiting: it acts once the dialog is up.
Sub Drive(arguments)
    sh.Run """" & driver & """ " & arguments, 0, False
End Sub

Dim fm, r, folder, listFile
Set fm = CreateObject("kvexfilt.clsFMfilter")
Check "CreateObject (Err " & Err.Number & ")", Err.Number = 0

' Both optional arguments left out; the close box ends the dialog.
Err.Clear
Drive "close ""Filter Maker - ()"" 30"
r = fm.ShowFilterMakerDialog("", "")
Check "two arguments, closed by the close box: returns True (" & r & ", Err " & Err.Number & ")", _
      Err.Number = 0 And TypeName(r) = "Boolean" And r = True

' All four, with a pattern-list file: the caption names the file; Cancel ends it.
folder = fso.BuildPath(fso.GetSpecialFolder(2), "kvex-script-" & fso.GetTempName())
fso.CreateFolder folder
listFile = fso.BuildPath(folder, "web.plk")
With fso.CreateTextFile(listFile, True)
    .Write "*.htm;*.html" & vbCrLf & "*.txt" & vbCrLf
    .Close
End With
Err.Clear
Drive "press ""Filter Maker - (web.plk)"" ""&Cancel"" 30"
r = fm.ShowFilterMakerDialog("*.htm;*.html", folder, "", listFile)
Check "four arguments, Cancel: returns True (" & r & ", Err " & Err.Number & ")", Err.Number = 0 And r = True
Check "Cancel wrote no filters.dlk", Not fso.FileExists(fso.BuildPath(folder, "filters.dlk"))
fso.DeleteFolder folder, True

If failures = 0 Then
    out.WriteLine "PASS"
    out.Close
    WScript.Quit 0
End If
out.WriteLine "FAIL"
out.Close
WScript.Quit 1
