const app = document.getElementById("app");
if (app) app.textContent = "瑟柯牌局";
