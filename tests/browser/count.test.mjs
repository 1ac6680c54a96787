// The counting page as a counter uses it, in Debian's chromium at phone size: log
// in, choose the count, scan a code by typing, enter a quantity, lose the
// connection, enter two more, get it back, and find all three in the database
// once. Run by CTest; a machine without chromium or puppeteer-core fails the run.
//
//   node count.test.mjs SERVER CLI [SCREENSHOT_DIR]
import { spawn, execFileSync } from "node:child_process";
import { mkdtempSync, rmSync, existsSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";

const [server, cli, shots] = process.argv.slice(2);
const chromium = process.env.CHROMIUM || "/usr/bin/chromium";
let passed = 0, failed = 0;
function check(what, ok, detail = "") {
  if (ok) { passed++; console.log("PASS   : " + what); }
  else { failed++; console.log("FAIL!  : " + what + (detail ? " — " + detail : "")); }
}
function fatal(message) {
  console.log("FAIL!  : " + message);
  console.log("0 passed, 1 failed");
  process.exit(1);
}
if (!server || !cli) fatal("usage: node count.test.mjs SERVER CLI [SCREENSHOT_DIR]");
if (!existsSync(chromium)) fatal("chromium is not installed (" + chromium + "): run scripts/setup-deps");
let puppeteer;
try { puppeteer = (await import("puppeteer-core")).default; }
catch (e) { fatal("puppeteer-core is not installed: run scripts/setup-deps (" + e.message + ")"); }

const dir = mkdtempSync(join(tmpdir(), "stockcheck-browser-"));
const db = join(dir, "count.db");
const sql = (q) => execFileSync("sqlite3", [db, q]).toString().trim();
execFileSync(cli, ["init", "--db", "sqlite:" + db, "--size", "300"]);
execFileSync(cli, ["snapshot", "--db", "sqlite:" + db, "--user", "16394", "--stocks", "1027"]);
// a place with items counted once there, without batch or date: no row to choose
const place = sql(`SELECT r.FStockPlaceID FROM ICInvBackup r JOIN t_barcode b ON b.FItemID = r.FItemID
  WHERE r.FInterID = 1 AND r.FBatchNo = '' AND r.FKFDate = '' AND NOT EXISTS (SELECT 1 FROM ICInvBackup o
  WHERE o.FInterID = 1 AND o.FItemID = r.FItemID AND o.FStockPlaceID = r.FStockPlaceID AND o.rowid <> r.rowid)
  GROUP BY r.FStockPlaceID HAVING COUNT(*) >= 3 ORDER BY COUNT(*) DESC LIMIT 1`);
const codes = sql(`SELECT MIN(b.FBarCode) FROM ICInvBackup r JOIN t_barcode b ON b.FItemID = r.FItemID
  WHERE r.FInterID = 1 AND r.FStockPlaceID = ${Number(place)} AND r.FBatchNo = '' AND r.FKFDate = ''
  GROUP BY r.FItemID ORDER BY r.FItemID LIMIT 3`).split("\n");
if (!place || codes.length < 3) fatal("the demo count has no place with three plain items");

const child = spawn(server, ["--db", "sqlite:" + db, "--listen", "127.0.0.1:0", "--threads", "4"]);
const port = await new Promise((resolve, reject) => {
  let err = "";
  child.stderr.on("data", (d) => {
    err += d;
    const m = /:(\d+)\//.exec(err);
    if (m) resolve(Number(m[1]));
  });
  child.on("exit", () => reject(new Error("stockcheck-server ended: " + err)));
  setTimeout(() => reject(new Error("stockcheck-server did not start: " + err)), 10000);
}).catch((e) => fatal(e.message));

const browser = await puppeteer.launch({
  executablePath: chromium, headless: true,
  args: ["--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage", "--lang=zh-CN"],
});
const shot = async (page, name) => { if (shots) await page.screenshot({ path: join(shots, name + ".png") }); };
const deadline = setTimeout(() => { console.log("FAIL!  : over 60 s"); process.exit(1); }, 60000);
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 390, height: 844, deviceScaleFactor: 2, isMobile: true, hasTouch: true });
  await page.goto(`http://127.0.0.1:${port}/`, { waitUntil: "networkidle0" });
  await shot(page, "1-login");
  await page.type("#loginUser", "demo");
  await page.click("#loginButton");
  await page.waitForSelector("#setupView:not(.hidden)");
  await page.waitForFunction(() => document.querySelectorAll("#stockSelect option").length > 0);
  await page.waitForFunction(() => document.querySelectorAll("#placeSelect option").length > 1);
  await page.select("#placeSelect", place);
  await shot(page, "2-setup");
  await page.click("#startButton");
  await page.waitForSelector("#countView:not(.hidden)");

  const count = async (code, qty) => {
    await page.type("#codeInput", code);
    await page.keyboard.press("Enter");
    await page.waitForSelector("#itemCard:not(.hidden)");
    await page.waitForFunction(() => document.activeElement && document.activeElement.id === "qtyInput");
    await page.type("#qtyInput", qty);
    await page.keyboard.press("Enter");
  };
  const waiting = () => page.$eval("#waiting", (el) => el.classList.contains("hidden") ? 0 : parseInt(el.textContent.replace(/\D/g, ""), 10));

  await count(codes[0], "5");
  await page.waitForFunction(() => document.querySelector("#message").classList.contains("ok"));
  check("an entry online is saved at once", (await waiting()) === 0);
  await shot(page, "3-counted");

  await page.setOfflineMode(true);
  await count(codes[1], "2");
  await count(codes[2], "3.5");
  check("two entries offline wait on the device", (await waiting()) === 2, "waiting " + (await waiting()));
  await shot(page, "4-offline");

  await page.setOfflineMode(false);
  await page.evaluate(() => window.dispatchEvent(new Event("online")));
  await page.waitForFunction(() => document.querySelector("#waiting").classList.contains("hidden"), { timeout: 15000 });
  check("the waiting entries are sent when the connection returns", (await waiting()) === 0);
  await page.waitForFunction(() => document.querySelectorAll("#entryList li:not(.pending)").length >= 3);
  await shot(page, "5-back-online");

  // the database: each entry once, on the rows of the codes, from this device
  const rows = sql(`SELECT b.FBarCode || '=' || r.FAuxCheckQty FROM ICInvBackup r JOIN t_barcode b ON b.FItemID = r.FItemID
    WHERE r.FInterID = 1 AND r.FStockPlaceID = ${Number(place)} AND b.FBarCode IN ('${codes.join("','")}') ORDER BY b.FBarCode`);
  const expected = [codes[0] + "=5.0", codes[1] + "=2.0", codes[2] + "=3.5"].sort().join("\n");
  check("the rows hold the three quantities", rows === expected, rows);
  const journal = sql(`SELECT COUNT(*) FROM ICStockCheckJournal WHERE FInterID = 1 AND FSource LIKE 'device:%'`);
  check("the journal holds each entry once", journal === "3", journal);

  // the language is the counter's choice, kept on the device
  await page.click('.langs button[data-lang="en"]');
  check("the page speaks English when chosen", (await page.$eval("#confirmButton", (b) => b.textContent)) === "Confirm");
  await shot(page, "6-english");
  await page.reload({ waitUntil: "networkidle0" });
  check("the choice stays after a reload", (await page.$eval("#confirmButton", (b) => b.textContent)) === "Confirm");
} catch (e) {
  check("the page works through", false, e.stack);
} finally {
  clearTimeout(deadline);
  await browser.close();
  child.kill("SIGTERM");
  rmSync(dir, { recursive: true, force: true });
}
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed === 0 ? 0 : 1);
