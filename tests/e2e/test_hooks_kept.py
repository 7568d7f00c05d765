"""The mouse hooks kept working where Windows is known to drop them, and no false
alarms: the notices Windows sends after sleep and at unlock (sent here by the probe,
twice, as Windows may), and long stretches of typing. A reinstall while the hooks
work would be a false alarm, so each test ends with the program's own count at 0."""
import pytest

from tools.bench.harness import wait_until
from tools.bench.pages import (BUTTON5, COPY_OFF, COPY_ON, PBT_APMRESUMEAUTOMATIC, WM_POWERBROADCAST,
                              WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, caption_of_switch, click_control, stable)
from tools.bench.workload import paste_once_into, type_for

NOTICES = [
    pytest.param(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, id="resumed-from-sleep"),
    pytest.param(WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, id="session-unlocked"),
]


def tell(app, message, wparam):
    for _ in range(2):
        assert app.send(message, wparam)["ok"], "the program did not take the notice"


@pytest.mark.parametrize("message, wparam", NOTICES)
def test_after_the_notice_copying_and_pasting_work_once_each(app, notepad, bench, shots, still_copies_and_pastes,
                                                             message, wparam):
    tell(app, message, wparam)
    assert caption_of_switch(app) == COPY_ON
    still_copies_and_pastes()
    shots("copied-and-pasted")
    assert caption_of_switch(app) == COPY_ON
    assert app.reinstalls() == 0


@pytest.mark.parametrize("message, wparam", NOTICES)
def test_with_copying_off_the_notice_leaves_it_off(app, notepad, bench, shots, message, wparam):
    click_control(bench, app, BUTTON5)
    wait_until(lambda: caption_of_switch(app) == COPY_OFF, timeout=5, what="copying to be off")
    tell(app, message, wparam)
    assert stable(lambda: caption_of_switch(app)) == COPY_OFF, "the notice changed the switch"

    notepad.set_text("one two three")
    notepad.click_into_text(0)
    notepad.select(0, 3)
    assert app.wait_box(b"one", timeout=2) == b"", "a drag was copied while copying is off"
    paste_once_into(notepad, bench, "P")
    assert stable(notepad.text) == "one two threeP", "one middle press must paste exactly once"
    shots("off-and-pasted")

    # Switched on again, the copy hook comes back once: the drag is copied.
    click_control(bench, app, BUTTON5)
    wait_until(lambda: caption_of_switch(app) == COPY_ON, timeout=5, what="copying to be on")
    notepad.select(4, 7)
    assert app.wait_box(b"two") == b"two"
    assert app.reinstalls() == 0


def test_typing_for_30_seconds_raises_no_false_alarm(app, notepad, bench, shots, still_copies_and_pastes):
    notepad.set_text("")
    notepad.click_into_text(0)
    typed = type_for(bench, 30)
    assert stable(notepad.text) == typed, "the typing did not all reach notepad"
    shots("typed")
    assert app.reinstalls() == 0
    still_copies_and_pastes()
    shots("copied-and-pasted")
    assert app.reinstalls() == 0
