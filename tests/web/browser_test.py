#!/usr/bin/python3
"""The table in a real browser: Debian's headless Chromium driven by Selenium
against a tav-server on 127.0.0.1, with the desktop program's window as one
more player. Every wait is bounded; every server and browser is stopped.

  browser_test.py --server PATH --desktop-seat PATH --web-src DIR --web-build DIR --shots DIR [unittest args]
"""
import argparse
import gzip
import http.client
import os
import re
import subprocess
import sys
import time
import unittest

from selenium import webdriver
from selenium.common.exceptions import NoAlertPresentException, StaleElementReferenceException, WebDriverException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

ARGS = None
# A name is at most 16 characters: markup and an entity that fit.
HOSTILE_NAME = "<img src=x>&lt;"
HOSTILE_CHAT = "<img src=x onerror=alert(1)><script>alert(2)</script><b>bold</b>&amp;"


def rank_of(card):
    """1 (big joker) .. 15 (three), as the table ranks them."""
    k = (card - 1) % 54 + 1
    return k if k <= 2 else (k - 3) // 4 + 3


class Server:
    """tav-server on a free loopback port, stopped by close()."""

    def __init__(self):
        self.proc = subprocess.Popen([ARGS.server, "--listen", "127.0.0.1:0"], stdout=subprocess.PIPE,
                                     stderr=subprocess.DEVNULL, text=True)
        line = self.proc.stdout.readline()
        m = re.search(r"listening on 127\.0\.0\.1:(\d+)", line)
        if not m:
            self.close()
            raise RuntimeError("tav-server did not say where it listens: " + line)
        self.port = int(m.group(1))
        self.url = f"http://127.0.0.1:{self.port}/"

    def get(self, path, gzip_ok=True):
        c = http.client.HTTPConnection("127.0.0.1", self.port, timeout=10)
        c.request("GET", path, headers={"Accept-Encoding": "gzip"} if gzip_ok else {})
        r = c.getresponse()
        body = r.read()
        c.close()
        return r, body

    def close(self):
        self.proc.terminate()
        try:
            self.proc.wait(10)
        except subprocess.TimeoutExpired:
            self.proc.kill()


def browser(width, height, phone=False, lang="zh-CN"):
    o = webdriver.ChromeOptions()
    o.binary_location = "/usr/bin/chromium"
    for a in ("--headless=new", "--no-sandbox", "--disable-dev-shm-usage", "--disable-gpu",
              f"--window-size={width},{height}", f"--lang={lang}", "--no-first-run"):
        o.add_argument(a)
    o.add_experimental_option("prefs", {"intl.accept_languages": lang})
    o.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    d = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=o)
    d.set_page_load_timeout(20)
    if phone:
        d.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                          {"width": width, "height": height, "deviceScaleFactor": 2, "mobile": True})
        d.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": True})
    else:
        d.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                          {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": False})
    return d


def wait_for(what, seconds, step=0.05):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        try:
            v = what()
        except (StaleElementReferenceException, WebDriverException):
            v = None
        if v:
            return v
        time.sleep(step)
    raise AssertionError(f"waited {seconds} s in vain")


class Player:
    """One page at the table, played by simple rules: lead the weakest card
    that is not a three, pass or hold back otherwise, take a partner's
    tribute and give back the weakest cards."""

    def __init__(self, driver, url):
        self.d = driver
        self.d.get(url)
        self.tried = {}  # (version, ask) -> how many choices were refused

    def js(self, script, *args):
        return self.d.execute_script(script, *args)

    def fill(self, element_id, text):
        el = self.d.find_element(By.ID, element_id)
        el.clear()
        el.send_keys(text)

    def create(self, name, seconds):
        self.fill("create-name", name)
        self.fill("seconds", str(seconds))
        self.d.find_element(By.ID, "create-button").click()
        wait_for(lambda: self.d.find_element(By.ID, "share-link").text, 10)
        return self.code()

    def join(self, code, name):
        self.fill("join-code", code)
        self.fill("join-name", name)
        self.d.find_element(By.ID, "join-button").click()

    def code(self):
        return re.search(r"code=([A-Z0-9]{10})", self.d.find_element(By.ID, "share-link").text).group(1)

    def seat(self):
        return self.js("return document.getElementById('game').dataset.seat || ''")

    def state(self):
        return self.js("const g = document.getElementById('game'); return [g.dataset.ask || '', g.dataset.version || '',"
                       " Number(g.dataset.dealsOver || 0)];")

    def hand(self):
        return self.js("return [...document.querySelectorAll('#hand .card')].map(e => Number(e.dataset.card))")

    def pick(self, cards):
        # A click on each card's own element: in the row the next card covers most of it.
        for c in cards:
            self.js("arguments[0].click()", self.d.find_element(By.CSS_SELECTOR, f'#hand .card[data-card="{c}"]'))

    def key(self, k):
        self.d.find_element(By.TAG_NAME, "body").send_keys(k)

    def step(self):
        """Makes this seat's decision if it is asked; whether it made one."""
        ask, version, _ = self.state()
        if not ask:
            return False
        n = self.tried.get((version, ask), 0)
        self.tried[(version, ask)] = n + 1
        if n > 0 and n % 20 != 0:
            return False  # give the last choice time to be answered
        tries = n // 20
        hand = sorted(self.hand(), key=lambda c: (-rank_of(c), c))  # weakest first
        plain = [c for c in hand if rank_of(c) != 15] or hand
        if ask == "shuffle":
            self.key("s")
        elif ask == "take_partner_tribute":
            self.d.find_element(By.ID, "b-take").click()
        elif ask in ("follow", "follow_or_hold"):
            self.key("p" if ask == "follow" else "h")
        elif ask == "lead":
            self.pick([plain[tries % len(plain)]])
            self.key(Keys.ENTER)
        elif ask == "return_tribute":
            count = int(self.js("return Number(document.getElementById('game').dataset.returnCount || 1)"))
            start = tries % max(1, len(plain) - count + 1)
            self.pick(plain[start:start + count])
            self.key("r")
        return True

    def errors(self):
        """The browser's console errors (a refused script, a policy violation)."""
        return [e["message"] for e in self.d.get_log("browser") if e["level"] == "SEVERE"]


def play_until(players, deals, seconds, also=lambda: None):
    """Every page plays until each has seen `deals` deals end."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        done = True
        for p in players:
            p.step()
            if p.state()[2] < deals:
                done = False
        also()
        if done:
            return
        time.sleep(0.03)
    raise AssertionError(f"the deal did not end within {seconds} s: " + repr([p.state() for p in players]))


class BrowserTable(unittest.TestCase):
    def setUp(self):
        self.server = Server()
        self.drivers = []
        self.procs = []
        self.addCleanup(self.server.close)

    def tearDown(self):
        for d in self.drivers:
            d.quit()
        for p in self.procs:
            if p.poll() is None:
                p.kill()

    def page(self, width=1920, height=1080, phone=False, query="?pace=0", lang="zh-CN"):
        d = browser(width, height, phone, lang)
        self.drivers.append(d)
        return Player(d, self.server.url + query)

    def shot(self, player, name):
        os.makedirs(ARGS.shots, exist_ok=True)
        player.d.save_screenshot(os.path.join(ARGS.shots, name))

    def test_a_page_plays_a_whole_deal_against_five_computer_seats(self):
        p = self.page()
        p.create("钟离云", 0)
        p.d.find_element(By.ID, "start").click()
        wait_for(lambda: len(p.hand()) == 36, 20)
        # Every card is named for a screen reader, by its suit and rank.
        labels = p.js("return [...document.querySelectorAll('#hand .card')].map(e => e.getAttribute('aria-label'))")
        self.assertTrue(all(re.fullmatch(r"(红桃|黑桃|方块|梅花)(10|[2-9AJQK])|大户|小户", l) for l in labels), labels)
        # Played from the keyboard alone: the hand takes the focus, Home goes
        # to the first card (the strongest: never a three, which may not lead
        # while other cards remain), Space picks it, Enter plays it.
        wait_for(lambda: p.state()[0] == "lead" or (p.step() and False), 30)
        p.d.find_element(By.ID, "hand").send_keys(Keys.END, Keys.HOME, Keys.SPACE)
        self.assertEqual(p.js("return document.querySelectorAll('#hand .card[aria-selected=true]').length"), 1)
        p.key(Keys.ENTER)
        wait_for(lambda: len(p.hand()) == 35, 10)
        wait_for(lambda: (p.step() or True) and len(p.hand()) <= 28, 60)
        self.shot(p, "page-1920x1080.png")
        play_until([p], 1, 120)
        self.assertEqual(p.errors(), [])

    def test_a_reload_in_the_middle_of_a_deal_resumes_it(self):
        host = self.page()
        code = host.create("钟离云", 0)
        guest = self.page(1280, 800)
        guest.join(code, "柳烟")
        wait_for(lambda: "柳烟" in host.d.find_element(By.ID, "seat-list").text, 10)
        host.d.find_element(By.ID, "start").click()
        wait_for(lambda: len(guest.hand()) == 36, 20)
        # Reloaded while the host is asked: nobody else moves meanwhile (no time
        # limit), so the page must come back to exactly its seat and hand.
        in_trick = ("lead", "follow", "follow_or_hold")
        wait_for(lambda: (guest.step() or True) and 0 < len(guest.hand()) < 36 and host.state()[0] in in_trick
                 or (host.step() and False), 60)
        before = (guest.seat(), sorted(guest.hand()))
        guest.d.refresh()
        wait_for(lambda: guest.seat() == before[0] and sorted(guest.hand()) == before[1], 15)
        reloaded = guest.js("return performance.getEntriesByName('tav-table')[0].startTime")
        play_until([host, guest], 1, 120)
        self.assertEqual(host.errors() + guest.errors(), [])
        print(f"after a reload the table was drawn {reloaded:.0f} ms after the page opened", file=sys.stderr)

    def test_two_pages_and_the_desktop_program_play_a_deal_together(self):
        host = self.page()
        code = host.create("钟离云", 30)
        phone = self.page(390, 844, phone=True, lang="en-US")
        phone.join(code, "Liu Yan")
        wait_for(lambda: "Liu Yan" in host.d.find_element(By.ID, "seat-list").text, 10)
        desk = subprocess.Popen([ARGS.desktop_seat, f"ws://127.0.0.1:{self.server.port}", code, "石坚", "1", "150"],
                                stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        self.procs.append(desk)
        wait_for(lambda: "石坚" in host.d.find_element(By.ID, "seat-list").text, 20)
        self.shot(phone, "page-390x844-room.png")
        host.d.find_element(By.ID, "start").click()
        wait_for(lambda: len(phone.hand()) == 36, 20)
        self.shot(phone, "page-390x844.png")
        # Each page speaks its browser's language, and switches on request.
        self.assertEqual(host.d.find_element(By.ID, "leave").text, "离开牌桌")
        self.assertEqual(phone.d.find_element(By.ID, "leave").text, "Leave the table")
        phone.d.find_element(By.ID, "lang").click()
        self.assertEqual(phone.d.find_element(By.ID, "leave").text, "离开牌桌")
        self.assertRegex(phone.js("return document.querySelector('#hand .card').getAttribute('aria-label')"),
                         r"^(红桃|黑桃|方块|梅花|大户|小户)")
        self.assertEqual(phone.js("return document.documentElement.scrollWidth <= innerWidth"), True)
        play_until([host, phone], 1, 150)
        out, _ = desk.communicate(timeout=60)
        self.assertEqual(desk.returncode, 0, out)
        self.assertIn("deal 1 over", out)
        self.assertEqual(host.errors() + phone.errors(), [])

    def test_a_hostile_name_and_chat_line_are_shown_as_text(self):
        host = self.page()
        code = host.create("钟离云", 0)
        guest = self.page()
        guest.join(code, HOSTILE_NAME)
        wait_for(lambda: HOSTILE_NAME in host.d.find_element(By.ID, "seat-list").text, 10)
        host.d.find_element(By.ID, "start").click()
        wait_for(lambda: len(guest.hand()) == 36, 20)
        guest.fill("chat-input", HOSTILE_CHAT + Keys.ENTER)
        for p in (host, guest):
            wait_for(lambda: HOSTILE_CHAT in p.d.find_element(By.ID, "chat-log").text, 10)
            self.assertIn(HOSTILE_NAME, p.d.find_element(By.ID, "felt").text)
            self.assertEqual(p.d.find_elements(By.CSS_SELECTOR, 'img[src="x"], script:not([src]), #chat-log b'), [])
            with self.assertRaises(NoAlertPresentException):
                p.d.switch_to.alert.text
        self.assertEqual(host.errors() + guest.errors(), [])

    def test_the_page_is_served_small_with_a_policy_against_inline_script(self):
        r, html = self.server.get("/", gzip_ok=False)
        self.assertEqual(r.status, 200)
        csp = r.getheader("Content-Security-Policy")
        self.assertIn("script-src 'self'", csp)
        self.assertNotIn("unsafe-inline", csp)
        self.assertEqual(r.getheader("X-Content-Type-Options"), "nosniff")
        self.assertIsNone(re.search(rb"<script(?![^>]*\bsrc=)[^>]*>", html), "no inline script")
        self.assertIsNone(re.search(rb"\son[a-z]+=", html), "no inline handlers")
        # The page and everything it loads, as the browser receives them.
        total = 0
        files = []
        for folder, prefix in ((os.path.join(ARGS.web_src, "static"), "/"), (os.path.join(ARGS.web_src, "cards"), "/cards/"),
                               (os.path.join(ARGS.web_build, "js"), "/js/")):
            for root, _, names in os.walk(folder):
                for n in names:
                    files.append(prefix + os.path.relpath(os.path.join(root, n), folder).replace(os.sep, "/"))
        self.assertIn("/index.html", files)
        for f in files:
            r, body = self.server.get(f)
            self.assertEqual(r.status, 200, f)
            if r.getheader("Content-Encoding") == "gzip":
                gzip.decompress(body)
            total += len(body)
        print(f"the page and its {len(files) - 1} files: {total} bytes compressed", file=sys.stderr)
        self.assertLessEqual(total, 300 * 1024)


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--server", required=True)
    parser.add_argument("--desktop-seat", required=True)
    parser.add_argument("--web-src", required=True)
    parser.add_argument("--web-build", required=True)
    parser.add_argument("--shots", required=True)
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)
