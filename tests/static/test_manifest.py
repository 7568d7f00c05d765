"""The application manifest as Windows reads it. Windows ignores an element in a
namespace it does not expect, and refuses to start a program whose manifest is not
well-formed, where Wine is lenient; so the elements are checked here by the
namespaces Microsoft documents for them."""
import pathlib
import xml.etree.ElementTree as ET

MANIFEST = pathlib.Path(__file__).resolve().parents[2] / "resources" / "talvine.manifest"
ASM_V1 = "{urn:schemas-microsoft-com:asm.v1}"
ASM_V3 = "{urn:schemas-microsoft-com:asm.v3}"
COMPATIBILITY = "{urn:schemas-microsoft-com:compatibility.v1}"
SETTINGS_2005 = "{http://schemas.microsoft.com/SMI/2005/WindowsSettings}"
SETTINGS_2016 = "{http://schemas.microsoft.com/SMI/2016/WindowsSettings}"

WINDOWS_7 = "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"
WINDOWS_8 = "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"
WINDOWS_81 = "{1f676c76-80e1-4239-95bb-83d0f6d0da78}"
WINDOWS_10 = "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"  # and 11


def root():
    return ET.parse(MANIFEST).getroot()


def test_is_an_assembly_manifest_of_version_one():
    r = root()
    assert r.tag == f"{ASM_V1}assembly"
    assert r.get("manifestVersion") == "1.0"
    identity = r.find(f"{ASM_V1}assemblyIdentity")
    assert identity.get("type") == "win32" and len(identity.get("version").split(".")) == 4


def test_names_windows_7_8_81_and_10_as_supported():
    ids = [os.get("Id") for os in root().iter(f"{COMPATIBILITY}supportedOS")]
    assert sorted(ids) == sorted([WINDOWS_7, WINDOWS_8, WINDOWS_81, WINDOWS_10])


def test_asks_per_monitor_v2_with_the_older_forms_as_fallback():
    settings = root().find(f"{ASM_V3}application/{ASM_V3}windowsSettings")
    # Windows 10 1703 and later: PerMonitorV2; 1607: PerMonitor.
    assert [v.strip() for v in settings.find(f"{SETTINGS_2016}dpiAwareness").text.split(",")] == \
        ["PerMonitorV2", "PerMonitor"]
    # Before Windows 10 1607: per monitor on 8.1, system-aware on 7 and 8.
    assert settings.find(f"{SETTINGS_2005}dpiAware").text.strip().lower() == "true/pm"


def test_runs_as_the_invoker():
    level = root().find(f"{ASM_V3}trustInfo/{ASM_V3}security/{ASM_V3}requestedPrivileges/"
                        f"{ASM_V3}requestedExecutionLevel")
    assert level.get("level") == "asInvoker" and level.get("uiAccess") == "false"


def test_depends_on_version_6_of_the_common_controls():
    identity = root().find(f"{ASM_V1}dependency/{ASM_V1}dependentAssembly/{ASM_V1}assemblyIdentity")
    assert identity.get("name") == "Microsoft.Windows.Common-Controls"
    assert identity.get("version") == "6.0.0.0"
    assert identity.get("publicKeyToken") == "6595b64144ccf1df"
    assert identity.get("type") == "win32"
