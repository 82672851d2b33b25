// A JScript host's use of both classes: the name and version, the Filter
// Maker closed with OK (its list reaches the folder) and the Edit Filter
// closed with OK (JScript passes the text by value: only the answer returns).
// Arguments: result file, driver exe; the verdict goes to the result file.
var fso = new ActiveXObject("Scripting.FileSystemObject");
var sh = new ActiveXObject("WScript.Shell");
var out = fso.CreateTextFile(WScript.Arguments.Item(0), true);
var driver = WScript.Arguments.Item(1);
var failures = 0;

function check(what, passed) {
    out.WriteLine((passed ? "ok   " : "FAIL ") + what);
    if (!passed) failures++;
}

// Runs the call while the driver works the dialog; the driver ends early
// only when it saw the dialog close.
function driven(driverArguments, what, call) {
    var driving = sh.Exec('"' + driver + '" ' + driverArguments + " 20");
    var result = call();
    var started = new Date().getTime();
    while (driving.Status == 0 && new Date().getTime() - started < 10000) {}
    check(what + " (" + result + "), the driver closed the dialog", result === true && driving.Status != 0);
}

try {
    var fm = new ActiveXObject("kvexfilt.clsFMfilter");
    var ef = new ActiveXObject("kvexfilt.clsEFfilter");
    check("PlugNameVersion of both", fm.PlugNameVersion() == "kvexfilt\t1.0.0" && ef.PlugNameVersion() == "kvexfilt\t1.0.0");
    var folder = fso.BuildPath(fso.GetSpecialFolder(2), "kvex-jscript-" + fso.GetTempName());
    fso.CreateFolder(folder);
    driven('press "Filter Maker - ()" "O&K"', "ShowFilterMakerDialog with OK returns true",
           function () { return fm.ShowFilterMakerDialog("", folder); });
    check("  ... and writes filters.dlk", fso.FileExists(fso.BuildPath(folder, "filters.dlk")));
    driven('edit-filter ok "*.js"', "ShowEditFilterDialog with OK returns true",
           function () { return ef.ShowEditFilterDialog("*.htm", true); });
    fso.DeleteFolder(folder, true);
} catch (e) {
    check("no script error (" + (e.number >>> 0).toString(16) + " " + e.description + ")", false);
}
out.WriteLine(failures == 0 ? "PASS" : "FAIL");
out.Close();
WScript.Quit(failures);
